#include "bkwin/BkResource.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

namespace {

TEST(LoadSkinResourceTest, FindsResourcesByTypeWithoutRegardToCase) {
    for (const WString type : {L"xml", L"XML", L"Xml"}) {
        std::string bytes;
        ASSERT_TRUE(LoadSkinResource(102, type, bytes));
        EXPECT_NE(bytes.find("<string>"), std::string::npos);
    }
    std::string png;
    ASSERT_TRUE(LoadSkinResource(44, L"PNG", png));
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    std::string bitmap;
    ASSERT_TRUE(LoadSkinResource(10002, L"bitmap", bitmap));
    EXPECT_EQ(bitmap.substr(0, 2), "BM");
}

TEST(LoadSkinResourceTest, FailsWithoutTouchingTheOutput) {
    const struct {
        int id;
        WString type;
    } cases[] = {
        {44, L"xml"},                            // the id exists only as a PNG
        {102, L"png"},                           // and this one only as XML
        {102, L"xm"},                            // a prefix of a type name is no type name
        {102, L"xmlx"}, {9999, L"xml"},          // no such id
        {9004, L"xml"},                          // an empty resource
        {-1, L"xml"},   {0x10000 + 102, L"xml"}, // ids are 16 bits: this must not wrap onto 102
    };
    for (const auto& c : cases) {
        std::string bytes = "untouched";
        EXPECT_FALSE(LoadSkinResource(c.id, c.type, bytes)) << c.id;
        EXPECT_EQ(bytes, "untouched");
    }
}

TEST(LoadXmlResourceTest, ParsesWellFormedResourcesOnly) {
    TiXmlDocument good;
    EXPECT_TRUE(LoadXmlResource(102, good));
    ASSERT_NE(good.RootElement(), nullptr);
    EXPECT_EQ(good.RootElement()->ValueStr(), "string");

    TiXmlDocument malformed;
    EXPECT_FALSE(LoadXmlResource(9003, malformed));
    TiXmlDocument empty;
    EXPECT_FALSE(LoadXmlResource(9004, empty));
    TiXmlDocument missing;
    EXPECT_FALSE(LoadXmlResource(9999, missing));
}

} // namespace
