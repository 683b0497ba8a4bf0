// The sync's requests through WinHTTP and its XML through XmlLite, under
// Wine against a Radicale on loopback (started by the test command, its URL
// in the file TAVO_CALDAV_STATE/url); Basic authentication as Radicale asks.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "caldav_server.h"
#include "sync/http_winhttp.h"
#include "tests/sync/caldav_requests_check.h"

namespace tavo::sync::test {
namespace {

TEST(WinHttp, TheRequestsOfASync) {
    const std::string root = blackbox::caldavServerRoot();
    ASSERT_FALSE(root.empty()) << "no server (TAVO_CALDAV_STATE)";
    WinHttpClient http({"tavo", "secret"});
    checkCalDavRequests(http, root, root + "tavo/calendar/");
}

TEST(WinHttp, AWrongPasswordAndNoServerAreToldInWords) {
    const std::string root = blackbox::caldavServerRoot();
    ASSERT_FALSE(root.empty());
    WinHttpClient wrong({"tavo", "wrong"});
    EXPECT_EQ(failureText(wrong.send({"PROPFIND", root + "tavo/", {{"Depth", "0"}}, {}})), "ユーザー名かパスワードが違います(401)");
    WinHttpClient nobody({"tavo", "secret"});
    EXPECT_EQ(failureText(nobody.send({"GET", "http://127.0.0.1:1/", {}, {}})), "サーバーに接続できません");
}

}  // namespace
}  // namespace tavo::sync::test
