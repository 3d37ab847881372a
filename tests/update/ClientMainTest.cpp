#include "update/ClientMain.h"
#include "LoopbackHttpServer.h"
#include "TestStreams.h"
#include "update/Packets/checkversion.pb.h"
#include "update/Packets/httpurl.pb.h"

#include "platform/core/MessageLoop.h"
#include "tests/support/WaitUntil.h"

#include <gtest/gtest.h>

#include <barrier>
#include <functional>

namespace {

struct Delivery {
    bool raw;
    std::int32_t msgType;
    std::string bytes;
    bool operator==(const Delivery&) const = default;
};

// A handler that records every call, with the thread it came on.
class CRecordingHandler : public IMsgProcess {
public:
    void Handle(std::int32_t msgType, IMessagePtr prototype) {
        m_prototypes[msgType] = std::move(prototype);
    }
    bool OnMessage(IMessage* message) override {
        Record({false, message->GetMsgType(), message->SerializeAsString()});
        return true;
    }
    bool OnRawMessage(std::int32_t msgType, const char* text) override {
        Record({true, msgType, text});
        if (whileHandling) {
            whileHandling();
        }
        return true;
    }
    std::int32_t Release() override { return 0; }

    std::vector<Delivery> deliveries;
    bool onOtherThread = false;
    std::function<void()> whileHandling;

private:
    void Record(Delivery delivery) {
        onOtherThread |= std::this_thread::get_id() != m_thread;
        deliveries.push_back(std::move(delivery));
    }
    std::thread::id m_thread = std::this_thread::get_id();
};

// How long an answer over real HTTP on 127.0.0.1 may take to be delivered; the waits pump this
// thread's messages, and with them the pump timer.
constexpr std::chrono::seconds kAnswerLimit{20};

TEST(ClientMainTest, UrlRequestIsFetchedAndItsTextDeliveredOnTheUserInterfaceThread) {
    CLoopbackHttpServer server({{200, "{\"versionValue\": 2}"}});
    UseUpdateAddress(server.Url());
    CClientMain dispatcher;
    CRecordingHandler handler;
    handler.Handle(0, new httpUrl::MsgReqHttpUrl);
    dispatcher.RegisterProcess(0, &handler);

    EXPECT_TRUE(dispatcher.PostRequest(new httpUrl::MsgReqHttpUrl));
    ASSERT_TRUE(WaitUntil([&] { return !handler.deliveries.empty(); }, kAnswerLimit,
                          WaitMode::PumpMessages));
    EXPECT_EQ(handler.deliveries, (std::vector<Delivery>{{true, 0, "{\"versionValue\": 2}"}}));
    EXPECT_FALSE(handler.onOtherThread);
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].method, "GET");
}

TEST(ClientMainTest, PostedRequestIsAnsweredByAStreamCutIntoMessagesForTheirHandlers) {
    const std::string stream = Frame(1001, "\x08\x01") + Frame(1, "raw text") + Frame(77, "x") +
                               Frame(1001, "\x10\x02") + Frame(1001, "\xff") +
                               Frame(1001, "\x18\x03").substr(0, 6);
    CLoopbackHttpServer server({{200, stream}});
    UseUpdateAddress(server.Url());
    CClientMain dispatcher;
    CRecordingHandler versions;
    versions.Handle(1001, new checkVersion::MsgRetVersion);
    dispatcher.RegisterProcess(1001, &versions);
    CRecordingHandler texts;
    texts.Handle(1, new httpUrl::MsgRetHttpUrl);
    dispatcher.RegisterProcess(1, &texts);

    auto* request = new checkVersion::MsgReqVersion;
    request->mutable_unknown_fields()->AddVarint(7, 42);
    EXPECT_TRUE(dispatcher.PostRequest(request));
    ASSERT_TRUE(WaitUntil([&] { return versions.deliveries.size() >= 2; }, kAnswerLimit,
                          WaitMode::PumpMessages));
    // The frame that does not parse is dropped; the truncated last frame ends the cut.
    EXPECT_EQ(versions.deliveries,
              (std::vector<Delivery>{{false, 1001, "\x08\x01"}, {false, 1001, "\x10\x02"}}));
    EXPECT_EQ(texts.deliveries, (std::vector<Delivery>{{true, 1, "raw text"}}));
    EXPECT_FALSE(versions.onOtherThread || texts.onOtherThread);
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].method, "POST");
    EXPECT_EQ(server.Requests()[0].body, "\x38\x2a");
}

// Delivery rules, ticked by hand with answers queued as the worker would queue them.
class ClientMainPumpTest : public ::testing::Test {
protected:
    void SetUp() override {
        handler.Handle(0, new httpUrl::MsgReqHttpUrl);
        handler.Handle(1001, new checkVersion::MsgRetVersion);
    }
    void Raw(std::int32_t msgType, const std::string& text) {
        ASSERT_TRUE(dispatcher.OnRecvRaw(text.data(), std::int32_t(text.size()), msgType));
    }

    CClientMain dispatcher;
    CRecordingHandler handler;
};

TEST_F(ClientMainPumpTest, OneTickDeliversSixAnswersWithHandlersAndDropsTheOthers) {
    dispatcher.RegisterProcess(0, &handler);
    for (int i = 0; i < 10; ++i) {
        Raw(0, std::to_string(i));
        Raw(5, "no handler"); // dropped without counting towards the six
    }
    dispatcher.Pump();
    ASSERT_EQ(handler.deliveries.size(), 6u);
    dispatcher.Pump();
    ASSERT_EQ(handler.deliveries.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(handler.deliveries[i], (Delivery{true, 0, std::to_string(i)}));
    }
}

TEST_F(ClientMainPumpTest, TheFirstRegistrationOfAnIdentifierStays) {
    CRecordingHandler second;
    second.Handle(0, new httpUrl::MsgReqHttpUrl);
    dispatcher.RegisterProcess(0, nullptr);
    dispatcher.RegisterProcess(0, &handler);
    dispatcher.RegisterProcess(0, &second);
    Raw(0, "answer");
    dispatcher.Pump();
    EXPECT_EQ(handler.deliveries.size(), 1u);
    EXPECT_TRUE(second.deliveries.empty());
}

TEST_F(ClientMainPumpTest, AnswersWithoutHandlerOrPrototypeOrThatDoNotParseAreDropped) {
    dispatcher.RegisterProcess(0, &handler);
    dispatcher.RegisterProcess(1000, &handler); // registered, but it keeps no prototype for 1000
    dispatcher.RegisterProcess(1001, &handler);
    Raw(3, "nobody handles 3");
    Raw(1000, "no prototype");
    Raw(1001, "\xff"); // bad wire data for the prototype
    Raw(0, std::string("cut\0here", 8));
    Raw(1001, "\x08\x05");
    dispatcher.Pump();
    EXPECT_EQ(handler.deliveries,
              (std::vector<Delivery>{{true, 0, "cut"}, {false, 1001, "\x08\x05"}}));
    dispatcher.Pump();
    EXPECT_EQ(handler.deliveries.size(), 2u);
}

TEST_F(ClientMainPumpTest, BadInputFromTheWorkerIsRefusedOrCutSafely) {
    dispatcher.RegisterProcess(1001, &handler);
    EXPECT_FALSE(dispatcher.OnRecvRaw("x", -1, 1001));
    EXPECT_FALSE(dispatcher.OnRecvRaw(nullptr, 4, 1001));
    EXPECT_TRUE(dispatcher.OnRecvStream(nullptr, 0));
    const std::string stream = Frame(1001, "") + "\x05";
    EXPECT_TRUE(dispatcher.OnRecvStream(stream.data(), std::int32_t(stream.size())));
    dispatcher.Pump();
    EXPECT_EQ(handler.deliveries, (std::vector<Delivery>{{false, 1001, ""}}));
}

TEST_F(ClientMainPumpTest, AHandlerThatPumpsAgainDoesNotDeadlockOrReorder) {
    dispatcher.RegisterProcess(0, &handler);
    handler.whileHandling = [&] { dispatcher.Pump(); };
    Raw(0, "first");
    Raw(0, "second");
    dispatcher.Pump();
    EXPECT_EQ(handler.deliveries, (std::vector<Delivery>{{true, 0, "first"}, {true, 0, "second"}}));
}

TEST_F(ClientMainPumpTest, AnAnswerArrivingDuringATickWaitsForTheNextTick) {
    dispatcher.RegisterProcess(0, &handler);
    std::thread worker;
    handler.whileHandling = [&] {
        // The tick took its answers before this handler ran, so the worker's hand-off queues
        // behind them.
        if (handler.deliveries.size() == 1) {
            worker = std::thread([&] { dispatcher.OnRecvRaw("late", 4, 0); });
        }
    };
    Raw(0, "early");
    dispatcher.Pump();
    worker.join();
    EXPECT_EQ(handler.deliveries, (std::vector<Delivery>{{true, 0, "early"}}));
    dispatcher.Pump();
    EXPECT_EQ(handler.deliveries, (std::vector<Delivery>{{true, 0, "early"}, {true, 0, "late"}}));
}

TEST(ClientMainTest, AHandlersModalLoopDoesNotHoldUpTheWorkersNextHandOver) {
    CLoopbackHttpServer server({{200, "first"}, {200, "second"}, {200, "third"}});
    UseUpdateAddress(server.Url());
    CClientMain dispatcher;
    CRecordingHandler handler;
    handler.Handle(0, new httpUrl::MsgReqHttpUrl);
    dispatcher.RegisterProcess(0, &handler);
    bool handedOverInsideTheLoop = false;
    bool deliveredInsideTheLoop = false;
    handler.whileHandling = [&] {
        if (handler.deliveries.size() != 1) {
            return;
        }
        dispatcher.PostRequest(new httpUrl::MsgReqHttpUrl);
        dispatcher.PostRequest(new httpUrl::MsgReqHttpUrl);
        // A modal loop, as a dialog opened by the handler runs it. The worker fetches the
        // third answer only after its hand-over of the second has returned.
        handedOverInsideTheLoop = WaitUntil([&] { return server.Requests().size() >= 3; },
                                            kWaitLimit, WaitMode::PumpMessages);
        // The pump timer fires inside the loop as well (every 100 ms), but a nested tick
        // delivers nothing: the second answer waits for this handler to return.
        deliveredInsideTheLoop = WaitUntil([&] { return handler.deliveries.size() > 1; },
                                           std::chrono::milliseconds(300), WaitMode::PumpMessages);
    };

    EXPECT_TRUE(dispatcher.PostRequest(new httpUrl::MsgReqHttpUrl));
    ASSERT_TRUE(WaitUntil([&] { return handler.deliveries.size() >= 3; }, kAnswerLimit,
                          WaitMode::PumpMessages));
    EXPECT_TRUE(handedOverInsideTheLoop);
    EXPECT_FALSE(deliveredInsideTheLoop);
    EXPECT_EQ(handler.deliveries,
              (std::vector<Delivery>{{true, 0, "first"}, {true, 0, "second"}, {true, 0, "third"}}));
    EXPECT_FALSE(handler.onOtherThread);
}

TEST(ClientMainTest, SendRequestFetchesAndParsesOnTheCallingThread) {
    httpUrl::MsgRetHttpUrl served;
    served.set_scontent("synchronous");
    CLoopbackHttpServer server({{200, served.SerializeAsString()}, {200, "not a message"}});
    UseUpdateAddress(server.Url());
    CClientMain dispatcher;
    httpUrl::MsgReqHttpUrl request;
    httpUrl::MsgRetHttpUrl response;
    EXPECT_TRUE(dispatcher.SendRequest(&request, &response, nullptr, nullptr));
    EXPECT_EQ(response.scontent(), "synchronous");
    EXPECT_FALSE(dispatcher.SendRequest(&request, &response, nullptr, nullptr));
    EXPECT_TRUE(dispatcher.SendRequest(&request, nullptr, nullptr, nullptr));
    EXPECT_FALSE(dispatcher.SendRequest(nullptr, nullptr, nullptr, nullptr));
    // A progress callback that answers non-zero aborts the transfer.
    const auto abort = [](void*, curl_off_t, curl_off_t, curl_off_t, curl_off_t) { return 1; };
    EXPECT_FALSE(dispatcher.SendRequest(&request, nullptr, abort, nullptr));
    EXPECT_EQ(server.Requests().size(), 3u);
}

TEST(ClientMainTest, TeardownStopsTheWorkerDuringAStalledTransferAndDropsTheQueue) {
    CLoopbackHttpServer server({HttpReply::Stall()});
    UseUpdateAddress(server.Url());
    {
        CClientMain dispatcher;
        dispatcher.PostRequest(new httpUrl::MsgReqHttpUrl);
        dispatcher.PostRequest(new checkVersion::MsgReqVersion);
        ASSERT_TRUE(server.WaitForRequests(1));
    }
    EXPECT_EQ(server.Requests().size(), 1u);
}

TEST(ClientMainTest, ConcurrentFirstCallsOfInstanceCreateOneDispatcher) {
    UseUpdateAddress("http://127.0.0.1:9/vistrelUpdate.js");
    constexpr int kThreads = 4;
    std::barrier meet(kThreads);
    IRoot* seen[kThreads] = {};
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back([&, i] {
            meet.arrive_and_wait();
            seen[i] = CClientMain::Instance();
            // Nobody ends (and so deletes the dispatcher with its creating thread) before all
            // have seen it.
            meet.arrive_and_wait();
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    for (IRoot* root : seen) {
        EXPECT_NE(root, nullptr);
        EXPECT_EQ(root, seen[0]);
    }
    // The main thread's dispatcher lives until main returns and is torn down then.
    IRoot* root = CClientMain::Instance();
    EXPECT_EQ(CClientMain::Instance(), root);
    EXPECT_TRUE(root->PostRequest(new httpUrl::MsgReqHttpUrl));
}

} // namespace
