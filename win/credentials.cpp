#include "credentials.h"

#include <windows.h>
#include <wincred.h>

#include <vector>

namespace tavo::win {
namespace {

std::wstring wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

}  // namespace

bool storePassword(const std::string& target, const std::string& user, const std::string& password) {
    std::wstring name = wide(target), account = wide(user);
    CREDENTIALW credential{};
    credential.Type = CRED_TYPE_GENERIC;
    credential.TargetName = name.data();
    credential.UserName = account.data();
    credential.CredentialBlobSize = static_cast<DWORD>(password.size());
    credential.CredentialBlob = reinterpret_cast<LPBYTE>(const_cast<char*>(password.data()));
    credential.Persist = CRED_PERSIST_LOCAL_MACHINE;
    return CredWriteW(&credential, 0) != FALSE;
}

std::optional<std::string> storedPassword(const std::string& target, const std::string& user) {
    PCREDENTIALW credential = nullptr;
    if (!CredReadW(wide(target).c_str(), CRED_TYPE_GENERIC, 0, &credential)) return std::nullopt;
    std::optional<std::string> password;
    if (credential->UserName && wide(user) == credential->UserName)
        password.emplace(reinterpret_cast<const char*>(credential->CredentialBlob), credential->CredentialBlobSize);
    CredFree(credential);
    return password;
}

void forgetPassword(const std::string& target) { CredDeleteW(wide(target).c_str(), CRED_TYPE_GENERIC, 0); }

}  // namespace tavo::win
