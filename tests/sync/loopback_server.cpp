#include "loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ctime>
#include <vector>

#include "sync/http_curl.h"

namespace tavo::sync::test {
namespace {

int freePort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(s);
    return port;
}

bool answers(int port) {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool connected = connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(s);
    return connected;
}

std::vector<std::string> commandOf(ServerKind kind, const std::string& folder, int port) {
    const std::string p = std::to_string(port);
    if (kind == ServerKind::Radicale)
        return {"/usr/bin/radicale", "--config", "", "--server-hosts", "127.0.0.1:" + p, "--storage-filesystem-folder",
                folder + "/storage", "--auth-type", "htpasswd", "--auth-htpasswd-filename", folder + "/users",
                "--auth-htpasswd-encryption", "plain", "--rights-type", "from_file", "--rights-file", folder + "/rights",
                "--logging-level", "warning"};
    if (kind == ServerKind::Files) return {"/usr/bin/python3", "-m", "http.server", p, "--bind", "127.0.0.1", "--directory", folder + "/files"};
    return {"/usr/bin/xandikos", "--defaults", "-d", folder, "-p", p, "-l", "127.0.0.1"};
}

}  // namespace

const char* serverName(ServerKind kind) {
    return kind == ServerKind::Radicale ? "Radicale" : kind == ServerKind::Files ? "http.server" : "Xandikos";
}

LoopbackServer::LoopbackServer(ServerKind kind, std::string folder, int port)
    : kind_(kind), folder_(std::move(folder)), port_(port), root_("http://127.0.0.1:" + std::to_string(port) + "/") {}

std::unique_ptr<LoopbackServer> LoopbackServer::start(ServerKind kind, std::string& why) {
    char pattern[] = "/tmp/tavo-caldav-XXXXXX";
    if (mkdtemp(pattern) == nullptr) return why = "no temporary folder", nullptr;
    std::unique_ptr<LoopbackServer> server(new LoopbackServer(kind, pattern, freePort()));
    if (FILE* users = std::fopen((server->folder_ + "/users").c_str(), "w")) {
        std::fputs("tavo:secret\n", users);  // Radicale asks for a login: Basic authentication is used for real
        std::fclose(users);
    }
    if (FILE* rights = std::fopen((server->folder_ + "/rights").c_str(), "w")) {
        // The owner's own; and its calendar readable by anyone, as a published calendar is subscribed to.
        std::fputs("[owner]\nuser: .+\ncollection: {user}(/.*)?\npermissions: RrWw\n\n[root]\nuser: .+\ncollection:\n"
                   "permissions: R\n\n[public]\nuser: .*\ncollection: tavo/calendar\npermissions: r\n",
                   rights);
        std::fclose(rights);
    }
    std::filesystem::create_directory(server->folder_ + "/files");
    if (!server->launch(why)) return nullptr;
    if (kind == ServerKind::Radicale) {
        CurlHttpClient http({"tavo", "secret"});
        server->calendar_ = server->root_ + "tavo/calendar/";
        const HttpResponse made = http.send({"MKCALENDAR", server->calendar_, {}, {}});
        if (made.status != 201) return why = "MKCALENDAR " + std::to_string(made.status) + " " + made.error, nullptr;
    } else if (kind == ServerKind::Xandikos) {
        server->calendar_ = server->root_ + "user/calendars/calendar/";
    }
    return server;
}

bool LoopbackServer::launch(std::string& why) {
    const std::vector<std::string> command = commandOf(kind_, folder_, port_);
    if (access(command[0].c_str(), X_OK) != 0) return why = command[0] + " is not installed", false;
    pid_ = fork();
    if (pid_ == 0) {
        FILE* log = std::fopen((folder_ + "/server.log").c_str(), "a");  // kept out of the test's output
        if (log) dup2(fileno(log), STDOUT_FILENO), dup2(fileno(log), STDERR_FILENO);
        std::vector<char*> argv;
        for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    const std::time_t until = std::time(nullptr) + 60;  // <chrono> does not build with the CP932 execution charset
    while (!answers(port_)) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) return pid_ = -1, why = std::string(serverName(kind_)) + " ended at start", false;
        if (std::time(nullptr) > until) return why = std::string(serverName(kind_)) + " did not answer", false;
        usleep(20000);
    }
    return true;
}

void LoopbackServer::stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
}

bool LoopbackServer::restart() {
    stop();
    std::string why;
    return launch(why);
}

LoopbackServer::~LoopbackServer() {
    stop();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

}  // namespace tavo::sync::test
