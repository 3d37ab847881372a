#include "bkwin/BkValueParsers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct HexCase {
    std::string text;
    std::int32_t expected;
};

TEST(ParseHexTest, ReadsDigitsAndRejectsAnythingElse) {
    const HexCase cases[] = {
        {"0A04", 0x0A04},
        {"0a04", 0x0A04},
        {"25", 0x25},
        {"FFFFFFFF", -1},
        {"8030", 0x8030},
        {"", 0},
        {"0x10", 0},
        {"12 ", 0},
        {"-1", 0},
        {"g", 0},
        {"1FFFFFFFF", -1}, // wraps at 32 bits
        {"abcdefABCDEF", std::int32_t(0xEFABCDEFu)},
    };
    for (const HexCase& c : cases) {
        EXPECT_EQ(ParseHex(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(ParseHexTest, StopsAtTheEndOfTheValue) {
    // The view ends before the trailing digits: they must not be read.
    const char text[] = "0A04FF";
    EXPECT_EQ(ParseHex(std::string_view(text, 4)), 0x0A04);
}

TEST(ParseColourTest, ReadsRedGreenBluePairs) {
    const struct {
        std::string text;
        COLORREF expected;
    } cases[] = {
        {"FBFCFD", RGB(0xFB, 0xFC, 0xFD)},
        {"ffffff", 0x00FFFFFF},
        {"000000", 0},
        {"3064A5", RGB(0x30, 0x64, 0xA5)},
        {"zz64A5", RGB(0, 0x64, 0xA5)}, // a bad pair gives 0 for that component only
        {"30x4A5", RGB(0x30, 0, 0xA5)},
        {"ABC", RGB(0xAB, 0x0C, 0)}, // missing characters are absent
        {"A", RGB(0x0A, 0, 0)},
        {"", 0},
        {"11223344", RGB(0x11, 0x22, 0x33)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseColour(c.text), c.expected) << '"' << c.text << '"';
    }
    const char text[] = "FFFFFF";
    EXPECT_EQ(ParseColour(std::string_view(text, 3)), RGB(0xFF, 0x0F, 0));
}

TEST(ParseIntTest, ReadsLeadingDecimalNumber) {
    const struct {
        std::string text;
        std::int32_t expected;
    } cases[] = {
        {"0", 0},
        {"120", 120},
        {"-43", -43},
        {"7px", 7},
        {"", 0},
        {"-", 0},
        {"abc", 0},
        {" 5", 0},
        {"+5", 0},
        {"--5", 0},
        {"|-30", 0},
        {"2147483647", 2147483647},
        {"-2147483648", std::int32_t(-2147483647 - 1)},
        {"10,20", 10},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseInt(c.text), c.expected) << '"' << c.text << '"';
    }
    const char text[] = "12345";
    EXPECT_EQ(ParseInt(std::string_view(text, 2)), 12);
}

} // namespace
