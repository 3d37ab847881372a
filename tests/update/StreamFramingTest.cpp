#include "update/StreamFraming.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Frames = std::vector<std::pair<std::int32_t, std::string>>;

Frames Cut(const std::string& block) {
    // A copy of exactly the block's size, so that a read past its end is seen by the sanitizer.
    const std::vector<char> bytes(block.begin(), block.end());
    Frames frames;
    for (const StreamFrame& frame : CutStream(std::string_view(bytes.data(), bytes.size()))) {
        frames.emplace_back(frame.msgType, std::string(frame.payload));
    }
    return frames;
}

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int v : values) {
        bytes.push_back(char(v));
    }
    return bytes;
}

const std::string kVersionFrame = Bytes({0x05, 0x08, 0xE9, 0x07, 0x10, 0x00}); // 1001, empty

TEST(StreamFramingTest, CutsFramesAndStopsSafelyAtTheFirstBadOne) {
    const std::string payload17(17, 'p');
    const std::string payload300(300, 'q');
    const struct {
        const char* name;
        std::string block;
        Frames expected;
    } cases[] = {
        {"empty block", "", {}},
        {"header does not fit", Bytes({0x05}), {}},
        {"empty payload", kVersionFrame, {{1001, ""}}},
        {"one-byte size", Bytes({0x04, 0x08, 0x00, 0x10, 0x11}) + payload17, {{0, payload17}}},
        {"two-byte size",
         Bytes({0x06, 0x08, 0xE8, 0x07, 0x10, 0xAC, 0x02}) + payload300,
         {{1000, payload300}}},
        {"two frames in order",
         Bytes({0x04, 0x08, 0x01, 0x10, 0x02}) + "ab" + kVersionFrame,
         {{1, "ab"}, {1001, ""}}},
        {"header lacks MsgSize", kVersionFrame + Bytes({0x02, 0x08, 0x01}), {{1001, ""}}},
        {"header is not wire data", kVersionFrame + Bytes({0x02, 0xFF, 0xFF}), {{1001, ""}}},
        {"zero-length header", kVersionFrame + Bytes({0x00}) + kVersionFrame, {{1001, ""}}},
        {"payload cut short",
         kVersionFrame + Bytes({0x04, 0x08, 0x01, 0x10, 0x05}) + "abc",
         {{1001, ""}}},
        {"MsgSize far beyond the block",
         Bytes({0x08, 0x08, 0x01, 0x10, 0xFF, 0xFF, 0xFF, 0xFF, 0x07}) + "x",
         {}},
        {"negative MsgSize",
         Bytes(
             {0x0D, 0x08, 0x01, 0x10, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}) +
             "xyz",
         {}},
        {"negative MsgType is only an identifier",
         Bytes(
             {0x0D, 0x08, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x10, 0x01}) +
             "z",
         {{-1, "z"}}},
        {"length byte of 128 or more",
         kVersionFrame + Bytes({0x80, 0x08, 0x01, 0x10, 0x00}),
         {{1001, ""}}},
        {"length byte past the end", Bytes({0x7F, 0x08, 0x01, 0x10, 0x00}), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Cut(c.block), c.expected);
    }
}

TEST(StreamFramingTest, PayloadsMayHoldZeroBytes) {
    const std::string payload("a\0b", 3);
    EXPECT_EQ(Cut(Bytes({0x04, 0x08, 0x07, 0x10, 0x03}) + payload), (Frames{{7, payload}}));
}

} // namespace
