#include "update/HttpConnection.h"

#include "LoopbackHttpServer.h"
#include "TestStreams.h"
#include "update/Packets/httpurl.pb.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// One GET of the update address on a fresh connection; true when the answer was accepted.
bool Fetch(const std::string& url, std::string* answer = nullptr) {
    UseUpdateAddress(url);
    CHttpConnection connection;
    httpUrl::MsgReqHttpUrl request;
    const bool accepted = connection.Request(&request, nullptr, nullptr, nullptr);
    if (answer) {
        *answer = connection.Response();
    }
    return accepted;
}

std::vector<HttpReply> Redirects(int count, const std::string& location) {
    std::vector<HttpReply> replies(static_cast<std::size_t>(count), {302, "moved", location});
    replies.emplace_back(200, "arrived");
    return replies;
}

} // namespace

TEST(HttpConnection, AnAnswerUpToTheLimitIsAcceptedAndALongerOneFailsTheAttempt) {
    const std::string atLimit(CHttpConnection::kMaxAnswerSize, 'a');
    CLoopbackHttpServer server({{200, atLimit}, {200, atLimit + 'b'}});
    std::string answer;
    EXPECT_TRUE(Fetch(server.Url(), &answer));
    EXPECT_EQ(answer, atLimit);
    EXPECT_FALSE(Fetch(server.Url(), &answer));
    EXPECT_LE(answer.size(), CHttpConnection::kMaxAnswerSize);
}

TEST(HttpConnection, AtMostFiveRedirectsAreFollowed) {
    // The redirects point back at the same address: the scripted replies move on.
    CLoopbackHttpServer five(Redirects(5, "/vistrelUpdate.js"));
    std::string answer;
    EXPECT_TRUE(Fetch(five.Url(), &answer));
    EXPECT_EQ(answer, "arrived");
    EXPECT_EQ(five.Requests().size(), 6u);

    CLoopbackHttpServer loop({{302, "again", "/vistrelUpdate.js"}});
    EXPECT_FALSE(Fetch(loop.Url()));
    EXPECT_EQ(loop.Requests().size(), 6u);
}

TEST(HttpConnection, OnlyHttpIsSpokenNeitherAtTheAddressNorAfterARedirect) {
    const fs::path secret =
        fs::temp_directory_path() / ("vistrel-secret-" + std::to_string(getpid()));
    std::ofstream(secret) << "secret";
    const std::string file = "file://" + secret.string();
    for (const std::string& location : {file, std::string("ftp://127.0.0.1:1/vistrelUpdate.js"),
                                        std::string("dict://127.0.0.1:1/d")}) {
        CLoopbackHttpServer server({{302, "moved", location}});
        std::string answer;
        EXPECT_FALSE(Fetch(server.Url(), &answer)) << location;
        EXPECT_EQ(answer.find("secret"), std::string::npos) << location;
        EXPECT_EQ(server.Requests().size(), 1u) << location;
    }
    std::string answer;
    EXPECT_FALSE(Fetch(file, &answer));
    EXPECT_EQ(answer.find("secret"), std::string::npos);
    fs::remove(secret);
}
