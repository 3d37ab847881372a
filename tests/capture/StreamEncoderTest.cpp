#include "capture/StreamEncoder.h"

#include "SessionFixture.h"
#include "TestFrames.h"

#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace {

class StreamEncoderTest : public SessionTest {
protected:
    std::string File(const std::string& name) const { return (m_folder / name).string(); }

    // One whole session as the capture and dispatch threads run it.
    static void Record(CStreamEncoder& encoder, const std::string& path, int frames,
                       cv::Size size = {160, 120}) {
        ASSERT_TRUE(encoder.Init(AV_CODEC_ID_H264, size.width, size.height));
        ASSERT_TRUE(encoder.OpenFile(path));
        for (int i = 0; i < frames; ++i) {
            EXPECT_EQ(encoder.EncodeFrame(MovingFrame(i, size)), 0);
        }
        EXPECT_EQ(encoder.Flush(), 0);
        encoder.Close();
    }
};

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

} // namespace

TEST_F(StreamEncoderTest, SessionGivesARawH264StreamOfEveryFrameEndingInTheEndCode) {
    CStreamEncoder encoder;
    Record(encoder, File("a.avi"), 25);

    const auto bytes = ReadFileBytes(File("a.avi"));
    ASSERT_GT(bytes.size(), 8u);
    // The first packet starts the file: a start code, then the sequence parameter set.
    const bool startCode4 = bytes[0] == 0 && bytes[1] == 0 && bytes[2] == 0 && bytes[3] == 1;
    ASSERT_TRUE(startCode4);
    EXPECT_EQ(bytes[4] & 0x1F, 7);
    EXPECT_TRUE(EndsWithEndCode(bytes));

    const DecodedStream stream = DecodeH264File(File("a.avi"));
    ASSERT_TRUE(stream.opened);
    EXPECT_EQ(stream.errors, 0);
    ASSERT_EQ(stream.pictures.size(), 25u);
    EXPECT_EQ(stream.pictures[0].y.size(), cv::Size(160, 120));
}

TEST_F(StreamEncoderTest, StopBeforeAnyPacketStillWritesTheDelayedOnesOnFlush) {
    CStreamEncoder encoder;
    ASSERT_TRUE(encoder.Init(AV_CODEC_ID_H264, 160, 120));
    ASSERT_TRUE(encoder.OpenFile(File("one.avi")));
    // The "slow" preset looks ahead, so this frame comes out only when the encoder is drained.
    EXPECT_EQ(encoder.EncodeFrame(MovingFrame(0)), 0);
    EXPECT_EQ(encoder.Flush(), 0);
    encoder.Close();

    const DecodedStream stream = DecodeH264File(File("one.avi"));
    EXPECT_EQ(stream.errors, 0);
    EXPECT_EQ(stream.pictures.size(), 1u);
    EXPECT_TRUE(EndsWithEndCode(ReadFileBytes(File("one.avi"))));
}

TEST_F(StreamEncoderTest, ReinitialisingAfterCloseStartsAFreshStreamAtTimeStampZero) {
    CStreamEncoder encoder;
    Record(encoder, File("first.avi"), 6);
    EXPECT_FALSE(encoder.IsInitialised());

    ASSERT_TRUE(encoder.Init(AV_CODEC_ID_H264, 160, 120));
    EXPECT_EQ(encoder.FrameIndex(), 0);
    ASSERT_TRUE(encoder.OpenFile(File("second.avi")));
    EXPECT_EQ(encoder.EncodeFrame(MovingFrame(0)), 0);
    EXPECT_EQ(encoder.FrameIndex(), 1);
    for (int i = 1; i < 9; ++i) {
        EXPECT_EQ(encoder.EncodeFrame(MovingFrame(i)), 0);
    }
    EXPECT_EQ(encoder.Flush(), 0);
    encoder.Close();

    EXPECT_EQ(DecodeH264File(File("first.avi")).pictures.size(), 6u);
    const DecodedStream second = DecodeH264File(File("second.avi"));
    EXPECT_EQ(second.errors, 0);
    EXPECT_EQ(second.pictures.size(), 9u);
}

TEST_F(StreamEncoderTest, InitWhileInitialisedChangesNothingEvenForAnotherSize) {
    CStreamEncoder encoder;
    ASSERT_TRUE(encoder.Init(AV_CODEC_ID_H264, 160, 120));
    ASSERT_TRUE(encoder.OpenFile(File("size.avi")));
    EXPECT_EQ(encoder.EncodeFrame(MovingFrame(0)), 0);
    EXPECT_TRUE(encoder.Init(AV_CODEC_ID_H264, 320, 240));
    EXPECT_EQ(encoder.FrameIndex(), 1);
    EXPECT_EQ(encoder.EncodeFrame(MovingFrame(1)), 0);
    // A frame of another size than the encoder's is refused rather than overrunning it.
    EXPECT_EQ(encoder.EncodeFrame(MovingFrame(2, {320, 240})), 0);
    EXPECT_EQ(encoder.Flush(), 0);
    encoder.Close();

    const DecodedStream stream = DecodeH264File(File("size.avi"));
    EXPECT_EQ(stream.errors, 0);
    ASSERT_EQ(stream.pictures.size(), 2u);
    EXPECT_EQ(stream.pictures[1].y.size(), cv::Size(160, 120));
}

TEST_F(StreamEncoderTest, EarlyEndReleasesTheEncoderAndClosesTheFileInAnyState) {
    CStreamEncoder encoder;
    encoder.Close(); // never initialised
    ASSERT_TRUE(encoder.Init(AV_CODEC_ID_H264, 160, 120));
    encoder.Close(); // initialised, no file
    EXPECT_FALSE(encoder.IsInitialised());

    ASSERT_TRUE(encoder.Init(AV_CODEC_ID_H264, 160, 120));
    ASSERT_TRUE(encoder.OpenFile(File("empty.avi")));
    EXPECT_EQ(encoder.Flush(), 0);
    encoder.Close();
    const auto bytes = ReadFileBytes(File("empty.avi"));
    EXPECT_EQ(bytes, std::vector<std::uint8_t>({0x00, 0x00, 0x01, 0xB7}));
    EXPECT_FALSE(encoder.IsInitialised());
}

TEST_F(StreamEncoderTest, FileThatCannotBeCreatedIsReported) {
    CStreamEncoder encoder;
    ASSERT_TRUE(encoder.Init(AV_CODEC_ID_H264, 160, 120));
    EXPECT_FALSE(encoder.OpenFile(File("no-such-folder/x.avi")));
    encoder.Close();
}

TEST_F(StreamEncoderTest, WriteErrorIsLoggedOnceForTheFileAndEncodingGoesOn) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    CStreamEncoder full;
    ASSERT_TRUE(full.Init(AV_CODEC_ID_H264, 160, 120));
    ASSERT_TRUE(full.OpenFile("/dev/full"));
    CStreamEncoder healthy;
    ASSERT_TRUE(healthy.Init(AV_CODEC_ID_H264, 160, 120));
    ASSERT_TRUE(healthy.OpenFile(File("healthy.avi")));
    // Enough frames that the packets overflow the file buffer more than once.
    for (int i = 0; i < 60; ++i) {
        EXPECT_EQ(full.EncodeFrame(MovingFrame(i)), 0);
        EXPECT_EQ(healthy.EncodeFrame(MovingFrame(i)), 0);
    }
    EXPECT_EQ(full.Flush(), 0);
    full.Close();
    EXPECT_EQ(healthy.Flush(), 0);
    healthy.Close();

    const std::string logged = LoggedText();
    EXPECT_EQ(Occurrences(logged, "Could not write stream file /dev/full"), 1) << logged;
    const DecodedStream stream = DecodeH264File(File("healthy.avi"));
    EXPECT_EQ(stream.errors, 0);
    EXPECT_EQ(stream.pictures.size(), 60u);
}

TEST_F(StreamEncoderTest, EncodingErrorFinishesTheFileAndTheNextInitStartsAfresh) {
    // The step that fails: the send of frame 10, or the send that starts the drain. Either way
    // the frames the codec accepted before reach the file.
    const struct {
        const char* name;
        bool failOnDrain;
    } cases[] = {{"frame", false}, {"drain", true}};
    for (const auto& failure : cases) {
        SCOPED_TRACE(failure.name);
        const std::string broken = File(std::string("broken-") + failure.name + ".avi");
        CStreamEncoder encoder;
        ASSERT_TRUE(encoder.Init(AV_CODEC_ID_H264, 160, 120));
        ASSERT_TRUE(encoder.OpenFile(broken));
        for (int i = 0; i < 10; ++i) {
            ASSERT_EQ(encoder.EncodeFrame(MovingFrame(i)), 0);
        }
        encoder.InjectSendFailure(AVERROR(ENOMEM));
        const int result =
            failure.failOnDrain ? encoder.Flush() : encoder.EncodeFrame(MovingFrame(10));
        EXPECT_EQ(result, AVERROR(ENOMEM));
        EXPECT_TRUE(encoder.HasFailed());
        EXPECT_FALSE(encoder.IsInitialised());
        // Whatever comes after the failure is a no-op until the next Init.
        EXPECT_EQ(encoder.EncodeFrame(MovingFrame(11)), 0);
        EXPECT_EQ(encoder.Flush(), 0);
        encoder.Close();
        EXPECT_EQ(FinishedStream(broken).size(), 10u);

        ASSERT_TRUE(encoder.Init(AV_CODEC_ID_H264, 160, 120));
        EXPECT_FALSE(encoder.HasFailed());
        EXPECT_EQ(encoder.FrameIndex(), 0);
        ASSERT_TRUE(encoder.OpenFile(File(std::string("again-") + failure.name + ".avi")));
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(encoder.EncodeFrame(MovingFrame(i)), 0);
        }
        EXPECT_EQ(encoder.Flush(), 0);
        encoder.Close();
        EXPECT_EQ(FinishedStream(File(std::string("again-") + failure.name + ".avi")).size(), 4u);
    }
}

TEST(StreamEncoderThreads, EachEncoderGetsItsShareOfTheCoresPlusTheOneTheFeedingThreadLeaves) {
    const struct {
        int encoders;
        int cores;
        int threads;
    } cases[] = {
        {1, 1, 1}, {16, 1, 1}, {1, 2, 2}, {4, 2, 2},  {16, 2, 2},
        {1, 8, 8}, {4, 8, 3},  {7, 8, 2}, {16, 8, 2}, {0, 2, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CStreamEncoder::FrameThreads(c.encoders, c.cores), c.threads)
            << c.encoders << " encoders on " << c.cores << " cores";
    }
}

TEST_F(StreamEncoderTest, StreamCarriesTheFrameThreadsSizedForTheSession) {
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    for (const int encoders : {1, 16}) {
        const std::string path = File("threads" + std::to_string(encoders) + ".avi");
        CStreamEncoder encoder;
        ASSERT_TRUE(encoder.Init(AV_CODEC_ID_H264, 160, 120, encoders));
        ASSERT_TRUE(encoder.OpenFile(path));
        EXPECT_EQ(encoder.EncodeFrame(MovingFrame(0)), 0);
        EXPECT_EQ(encoder.Flush(), 0);
        encoder.Close();
        // libx264 writes its settings into the stream as text.
        const auto bytes = ReadFileBytes(path);
        const std::string text(bytes.begin(), bytes.end());
        const std::string threads =
            " threads=" + std::to_string(CStreamEncoder::FrameThreads(encoders, cores)) + " ";
        EXPECT_NE(text.find(threads), std::string::npos) << encoders;
    }
}
