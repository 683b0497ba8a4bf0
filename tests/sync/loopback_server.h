// A real server for a test, on a free loopback port with its storage in a
// temporary folder: Radicale or Xandikos (one user's default calendar), or a
// plain web server. Radicale asks for the login tavo / secret (its calendar
// is readable without one). Started, waited for until it answers, and
// stopped (or killed mid-sync) by the test.
#pragma once

#include <sys/types.h>

#include <memory>
#include <string>

namespace tavo::sync::test {

// Files: a plain web server of the files in files() (Python's http.server), as a published calendar is.
enum class ServerKind { Radicale, Xandikos, Files };

class LoopbackServer {
public:
    // nullptr (and a reason in `why`) when the server cannot be started.
    static std::unique_ptr<LoopbackServer> start(ServerKind kind, std::string& why);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    const std::string& root() const { return root_; }          // http://127.0.0.1:PORT/
    const std::string& calendar() const { return calendar_; }  // an empty calendar collection
    std::string files() const { return folder_ + "/files"; }    // what a Files server serves
    void stop();        // ends the server (its data stays in the folder)
    bool restart();     // the same storage on the same port

private:
    LoopbackServer(ServerKind kind, std::string folder, int port);
    bool launch(std::string& why);

    ServerKind kind_;
    std::string folder_;
    int port_;
    pid_t pid_ = -1;
    std::string root_, calendar_;
};

const char* serverName(ServerKind kind);

}  // namespace tavo::sync::test
