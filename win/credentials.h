// Passwords in the Windows credential store (generic credentials of the
// current user), never in the registry or a file.
#pragma once

#include <optional>
#include <string>

namespace tavo::win {

// target: what the password is for (e.g. "Tavo/CalDAV/https://example.com/"); texts UTF-8.
bool storePassword(const std::string& target, const std::string& user, const std::string& password);
std::optional<std::string> storedPassword(const std::string& target, const std::string& user);
void forgetPassword(const std::string& target);

}  // namespace tavo::win
