#include "update/AsyncQueue.h"
#include "LoopbackHttpServer.h"
#include "TestStreams.h"
#include "update/Packets/checkversion.pb.h"
#include "update/Packets/httpurl.pb.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct Answer {
    bool raw;
    std::int32_t msgType;
    std::string bytes;
    bool operator==(const Answer&) const = default;
};

// Records what the worker hands on.
class CRecordingDispatch : public IMsgDispatch {
public:
    bool OnRecvRaw(const char* data, std::int32_t size, std::int32_t msgType) override {
        return Record({true, msgType, std::string(data, size)});
    }
    bool OnRecvStream(const char* data, std::int32_t size) override {
        return Record({false, 0, std::string(data, size)});
    }
    std::vector<Answer> WaitFor(std::size_t count) {
        std::unique_lock lock(m_lock);
        m_arrived.wait_for(lock, std::chrono::seconds(20),
                           [&] { return m_answers.size() >= count; });
        return m_answers;
    }

private:
    bool Record(Answer answer) {
        std::lock_guard lock(m_lock);
        m_answers.push_back(std::move(answer));
        m_arrived.notify_all();
        return true;
    }
    std::mutex m_lock;
    std::condition_variable m_arrived;
    std::vector<Answer> m_answers; // guarded by m_lock
};

// A worker started against the server, stopped at the end of the test.
class AsyncQueueTest : public ::testing::Test {
protected:
    void Start(const std::string& url) {
        UseUpdateAddress(url);
        m_worker = new AsyncQueue(&m_dispatch);
        m_worker->start();
    }
    void TearDown() override {
        if (m_worker) {
            m_worker->Stop();
        }
    }
    static IMessagePtr VersionRequestWithBody() {
        auto* request = new checkVersion::MsgReqVersion;
        request->mutable_unknown_fields()->AddVarint(7, 42);
        return request;
    }

    CRecordingDispatch m_dispatch;
    AsyncQueuePtr m_worker;
};

TEST_F(AsyncQueueTest, RequestsAreSentInPostingOrderAndHandedOnByKind) {
    CLoopbackHttpServer server({{200, "descriptor"}, {200, Frame(1001, "")}});
    Start(server.Url());
    EXPECT_TRUE(m_worker->Enqueue(new httpUrl::MsgReqHttpUrl));
    EXPECT_TRUE(m_worker->Enqueue(new checkVersion::MsgReqVersion));

    EXPECT_EQ(m_dispatch.WaitFor(2),
              (std::vector<Answer>{{true, 0, "descriptor"}, {false, 0, Frame(1001, "")}}));
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    for (const HttpExchange& request : requests) {
        // Neither has a body: both are plain GETs of the one address.
        EXPECT_EQ(request.method, "GET");
        EXPECT_EQ(request.path, "/vistrelUpdate.js");
        EXPECT_EQ(request.headers.at("content-type"), "text/xml");
        EXPECT_EQ(request.body, "");
    }
}

TEST_F(AsyncQueueTest, ABodyIsPostedAndTheNextRequestWithoutOneIsAGetAgain) {
    CLoopbackHttpServer server({{200, "first"}, {200, "second"}});
    Start(server.Url());
    m_worker->Enqueue(VersionRequestWithBody());
    m_worker->Enqueue(new httpUrl::MsgReqHttpUrl);
    EXPECT_EQ(m_dispatch.WaitFor(2),
              (std::vector<Answer>{{false, 0, "first"}, {true, 0, "second"}}));
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].body, "\x38\x2a");
    EXPECT_EQ(requests[0].headers.at("content-type"), "text/xml");
    EXPECT_EQ(requests[1].method, "GET");
    EXPECT_EQ(requests[1].body, "");
}

TEST_F(AsyncQueueTest, FailedAnswersAreNotHandedOnAndTheRequestIsTriedAgain) {
    CLoopbackHttpServer server({{404, "missing"}, {500, "broken"}, {200, "at last"}});
    Start(server.Url());
    m_worker->Enqueue(new httpUrl::MsgReqHttpUrl);
    EXPECT_EQ(m_dispatch.WaitFor(1), (std::vector<Answer>{{true, 0, "at last"}}));
    EXPECT_EQ(server.Requests().size(), 3u);
}

TEST_F(AsyncQueueTest, ARedirectIsFollowedBeforeTheAnswerIsJudged) {
    CLoopbackHttpServer server({{200, "unused"}});
    CLoopbackHttpServer redirecting({{302, "go there", server.Url("/moved/vistrelUpdate.js")}});
    Start(redirecting.Url());
    m_worker->Enqueue(new httpUrl::MsgReqHttpUrl);
    EXPECT_EQ(m_dispatch.WaitFor(1), (std::vector<Answer>{{true, 0, "unused"}}));
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].path, "/moved/vistrelUpdate.js");
}

TEST_F(AsyncQueueTest, StopAbortsAStalledTransferAndDropsQueuedRequests) {
    CLoopbackHttpServer server({HttpReply::Stall()});
    Start(server.Url());
    m_worker->Enqueue(new httpUrl::MsgReqHttpUrl);
    m_worker->Enqueue(new httpUrl::MsgReqHttpUrl);
    ASSERT_TRUE(server.WaitForRequests(1));
    m_worker->Stop();
    EXPECT_FALSE(m_worker->Enqueue(new httpUrl::MsgReqHttpUrl));
    EXPECT_EQ(server.Requests().size(), 1u);
    EXPECT_TRUE(m_dispatch.WaitFor(0).empty());
}

TEST_F(AsyncQueueTest, StopEndsThePauseBetweenAttempts) {
    CLoopbackHttpServer server({{500, "always broken"}});
    Start(server.Url());
    m_worker->Enqueue(new httpUrl::MsgReqHttpUrl);
    ASSERT_TRUE(server.WaitForRequests(1));
    const auto stopping = std::chrono::steady_clock::now();
    m_worker->Stop();
    // Well within the pause of a second that follows the failure.
    EXPECT_LT(std::chrono::steady_clock::now() - stopping, std::chrono::milliseconds(500));
    EXPECT_TRUE(m_dispatch.WaitFor(0).empty());
}

TEST(AsyncQueuePause, DoublesFromOneSecondToAtMostFiveMinutes) {
    using std::chrono::milliseconds;
    const std::pair<int, milliseconds> cases[] = {
        {1, milliseconds(1000)},
        {2, milliseconds(2000)},
        {3, milliseconds(4000)},
        {4, milliseconds(8000)},
        {9, milliseconds(256000)},
        {10, milliseconds(300000)},
        {11, milliseconds(300000)},
        {1000, milliseconds(300000)},
        {std::numeric_limits<int>::max(), milliseconds(300000)},
    };
    for (const auto& [failures, pause] : cases) {
        EXPECT_EQ(AsyncQueue::RetryPause(failures), pause) << failures;
    }
}

TEST_F(AsyncQueueTest, ThePauseGrowsWithFailuresInARowAndStartsAgainAfterASuccess) {
    CLoopbackHttpServer server(
        {{500, "down"}, {503, "down"}, {200, "first"}, {500, "down"}, {200, "second"}});
    Start(server.Url());
    // When each request arrived, seen from here.
    std::vector<std::chrono::steady_clock::time_point> arrivals;
    const auto awaitRequest = [&] {
        ASSERT_TRUE(server.WaitForRequests(arrivals.size() + 1, std::chrono::seconds(10)));
        arrivals.push_back(std::chrono::steady_clock::now());
    };
    m_worker->Enqueue(new httpUrl::MsgReqHttpUrl);
    for (int i = 0; i < 3; ++i) {
        awaitRequest();
    }
    ASSERT_EQ(m_dispatch.WaitFor(1).size(), 1u);
    m_worker->Enqueue(new httpUrl::MsgReqHttpUrl);
    for (int i = 0; i < 2; ++i) {
        awaitRequest();
    }
    EXPECT_EQ(m_dispatch.WaitFor(2),
              (std::vector<Answer>{{true, 0, "first"}, {true, 0, "second"}}));

    using std::chrono::milliseconds;
    const auto gap = [&](std::size_t later) { return arrivals[later] - arrivals[later - 1]; };
    EXPECT_GE(gap(1), milliseconds(950));
    EXPECT_LT(gap(1), milliseconds(1900));
    EXPECT_GE(gap(2), milliseconds(1950));
    EXPECT_LT(gap(2), milliseconds(3500));
    // After the success the first pause is one second again, not four.
    EXPECT_GE(gap(4), milliseconds(950));
    EXPECT_LT(gap(4), milliseconds(1900));
}

} // namespace
