// The CalDAV requests of a sync against real servers on loopback, through libcurl.
#include <gtest/gtest.h>

#include "caldav_requests_check.h"
#include "loopback_server.h"
#include "sync/http_curl.h"

namespace tavo::sync::test {
namespace {

class CalDavRequests : public ::testing::TestWithParam<ServerKind> {};

TEST_P(CalDavRequests, DiscoverListFetchAndConditionalWrites) {
    std::string why;
    const std::unique_ptr<LoopbackServer> server = LoopbackServer::start(GetParam(), why);
    ASSERT_NE(server, nullptr) << why;
    CurlHttpClient http({"tavo", "secret"});
    checkCalDavRequests(http, server->root(), server->calendar());
}

INSTANTIATE_TEST_SUITE_P(Servers, CalDavRequests, ::testing::Values(ServerKind::Radicale, ServerKind::Xandikos),
                         [](const auto& info) { return std::string(serverName(info.param)); });

}  // namespace
}  // namespace tavo::sync::test
