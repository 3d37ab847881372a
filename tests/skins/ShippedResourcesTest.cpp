// Checks the shipped resource set against what the program relies on: every XML parses, the
// string table, skin list and style list hold their rows, the images have the sizes, depths
// and transparency the skins expect, and the layouts hold the elements the dialogs look up.
#include "bkwin/BkBmpPool.h"
#include "bkwin/BkFontPool.h"
#include "bkwin/BkIconPool.h"
#include "bkwin/BkPngPool.h"
#include "bkwin/BkResource.h"
#include "bkwin/BkResourceTable.h"
#include "bkwin/BkSkinPool.h"
#include "bkwin/BkString.h"
#include "bkwin/BkStylePool.h"
#include "platform/draw/Bitmap.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Attributes = std::map<std::string, std::string>;

Attributes AttributesOf(const TiXmlElement* element) {
    Attributes attributes;
    for (const TiXmlAttribute* a = element->FirstAttribute(); a != nullptr; a = a->Next()) {
        attributes[a->Name()] = a->Value();
    }
    return attributes;
}

TEST(ShippedResourcesTest, EveryXmlResourceParses) {
    std::set<int> xmlIds;
    for (const BkEmbeddedResource& resource : ProgramResources()) {
        if (std::strcmp(resource.type, "xml") != 0 && std::strcmp(resource.type, "menu") != 0) {
            continue;
        }
        std::string bytes(reinterpret_cast<const char*>(resource.data), resource.size);
        TiXmlDocument document;
        document.Parse(bytes.c_str(), nullptr, TIXML_ENCODING_UTF8);
        EXPECT_FALSE(document.Error()) << resource.type << " " << resource.id << ": "
                                       << document.ErrorDesc() << " at row " << document.ErrorRow();
        EXPECT_NE(document.FirstChildElement(), nullptr) << resource.id;
        if (std::strcmp(resource.type, "xml") == 0) {
            xmlIds.insert(resource.id);
        }
    }
    const std::set<int> expected = {100, 101, 102, 103, 105, 106, 107,
                                    108, 501, 502, 510, 521, 522};
    EXPECT_EQ(xmlIds, expected);
}

TEST(ShippedResourcesTest, StringTableHoldsEveryText) {
    BkString table;
    ASSERT_TRUE(table.Load(102));
    const std::map<int, WString> expected = {
        {0, L"微软雅黑"},
        {1, L"Vistrel"},
        {2, L"1.0.0.1"},
        {17, L"<button id=%d pos=\"%d,0,%d,-0\" class=normalbtn>%s</button>"},
        {18, L"确定"},
        {19, L"取消"},
        {20, L"放弃"},
        {21, L"重试"},
        {22, L"忽略"},
        {23, L"是"},
        {24, L"否"},
        {25, L"继续"},
        {26, L"<dlg pos=\"|-%d,0,|%d,-0\">%s</dlg>"},
        {30, L"正常"},
        {31, L"异常"},
        {40, L"成功"},
        {41, L"失败"},
        {90, L"zh-cn"},
        {100, L"登录"},
        {101, L"注销"},
        {1000, L"应用程序'Vistrel'只允许运行一个实例！"},
        {1001, L"Vistrel感谢您的使用！"},
        {1002, L"没有检测到摄像头！"},
        {1003, L"通道%d的录像文件无法写入！"},
    };
    for (const auto& [id, text] : expected) {
        const WString* found = table.Get(id);
        ASSERT_NE(found, nullptr) << id;
        EXPECT_EQ(*found, text) << id;
    }
    // The templates are stored escaped, so the file itself holds no raw markup in them.
    std::string bytes;
    ASSERT_TRUE(LoadSkinResource(102, L"xml", bytes));
    EXPECT_NE(bytes.find("&lt;button id=%d"), std::string::npos);
    EXPECT_NE(bytes.find("&lt;dlg pos="), std::string::npos);
}

struct SkinRow {
    std::string name;
    std::string kind;
    Attributes attributes;
};

const std::vector<SkinRow>& ShippedSkins() {
    static const std::vector<SkinRow> rows = {
        {"closebtn", "png", {{"src", "44"}, {"subwidth", "47"}}},
        {"closeonlybtn", "png", {{"src", "44"}, {"subwidth", "47"}}},
        {"menubtn", "png", {{"src", "45"}, {"subwidth", "30"}}},
        {"maxbtn", "png", {{"src", "46"}, {"subwidth", "30"}}},
        {"minbtn", "png", {{"src", "47"}, {"subwidth", "30"}}},
        {"restorebtn", "png", {{"src", "48"}, {"subwidth", "30"}}},
        {"bg", "png", {{"src", "49"}}},
        {"logomodule", "png", {{"src", "3"}, {"subwidth", "48"}}},
        {"panelgray",
         "imgframe",
         {{"src", "106"}, {"top", "1"}, {"left", "1"}, {"crbg", "909090"}}},
        {"panel", "imgframe", {{"src", "107"}, {"top", "1"}, {"left", "1"}, {"crbg", "FBFCFD"}}},
        {"panelblue",
         "imgframe",
         {{"src", "10012"}, {"top", "1"}, {"left", "1"}, {"crbg", "eeeeee"}}},
        {"panelwhite",
         "imgframe",
         {{"src", "107"}, {"top", "1"}, {"left", "1"}, {"crbg", "FBFCFD"}}},
        {"panelffffff",
         "imgframe",
         {{"src", "107"}, {"top", "1"}, {"left", "1"}, {"crbg", "FFFFFF"}}},
        {"tabpage",
         "imgframe",
         {{"src", "107"}, {"top", "1"}, {"left", "1"}, {"crbg", "FBFCFD"}, {"part", "center"}}},
        {"mainbghead", "imghorzex", {{"src", "10001"}, {"left", "3"}}},
        {"mainbgbody",
         "imgframe",
         {{"src", "10002"}, {"top", "88"}, {"left", "7"}, {"mode", "mask"}, {"crbg", "FBFCFD"}}},
        {"mainbgfoot", "imghorzex", {{"src", "10003"}, {"left", "2"}}},
        {"tabmain", "imglst", {{"src", "10004"}, {"mode", "mask"}, {"subwidth", "71"}}},
        {"tab",
         "imghorzex",
         {{"src", "10005"}, {"mode", "mask"}, {"subwidth", "7"}, {"left", "3"}}},
        {"tab_header_bk", "imghorzex", {{"src", "10006"}, {"left", "0"}}},
        {"msgboxhead",
         "imgframe",
         {{"src", "10011"}, {"top", "32"}, {"left", "5"}, {"crbg", "FBFCFD"}, {"part", "top"}}},
        {"dlgbody",
         "imgframe",
         {{"src", "10011"}, {"top", "32"}, {"left", "5"}, {"crbg", "FBFCFD"}, {"part", "middle"}}},
        {"dlgfoot",
         "imgframe",
         {{"src", "10011"}, {"top", "32"}, {"left", "5"}, {"crbg", "FBFCFD"}, {"part", "bottom"}}},
        {"msgboxbody",
         "imgframe",
         {{"src", "10012"}, {"top", "0"}, {"left", "2"}, {"crbg", "FBFCFD"}, {"part", "middle"}}},
        {"msgboxfoot",
         "imgframe",
         {{"src", "10012"}, {"top", "0"}, {"left", "2"}, {"crbg", "FBFCFD"}, {"part", "bottom"}}},
        {"progressbg", "imghorzex", {{"src", "10013"}, {"mode", "mask"}, {"left", "3"}}},
        {"progresspos", "imghorzex", {{"src", "10014"}, {"mode", "mask"}, {"left", "3"}}},
        {"uglybtn", "button", {}},
        {"normalbtn",
         "button",
         {{"border", "7D9EBC"},
          {"bg", "FBFCFD"},
          {"bgup", "FEFEFE"},
          {"bgdown", "C6E2FD"},
          {"bguphover", "FEFEFE"},
          {"bgdownhover", "DBEDFE"},
          {"bguppush", "C6E2FD"},
          {"bgdownpush", "FEFEFE"}}},
        {"tipbg", "gradation", {{"from", "FFFFFF"}, {"to", "E4E5F0"}, {"direction", "vert"}}},
    };
    return rows;
}

TEST(ShippedResourcesTest, SkinListHoldsEveryRow) {
    std::string bytes;
    ASSERT_TRUE(LoadSkinResource(100, L"xml", bytes));
    EXPECT_EQ(bytes.substr(0, 3), "\xef\xbb\xbf"); // UTF-8 with a byte-order mark
    TiXmlDocument document;
    ASSERT_TRUE(LoadXmlResource(100, document));
    ASSERT_NE(document.RootElement(), nullptr);
    EXPECT_EQ(document.RootElement()->ValueStr(), "skins");

    std::vector<SkinRow> found;
    for (const TiXmlElement* e = document.RootElement()->FirstChildElement(); e != nullptr;
         e = e->NextSiblingElement()) {
        Attributes attributes = AttributesOf(e);
        std::string name = attributes["name"];
        attributes.erase("name");
        found.push_back({name, e->ValueStr(), attributes});
    }
    const std::vector<SkinRow>& expected = ShippedSkins();
    ASSERT_EQ(found.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(found[i].name, expected[i].name);
        EXPECT_EQ(found[i].kind, expected[i].kind) << expected[i].name;
        EXPECT_EQ(found[i].attributes, expected[i].attributes) << expected[i].name;
    }
}

// What the file headers say about an image.
struct ImageFacts {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0; // bitmaps
    bool alpha = false;   // PNG images
};

std::uint32_t ReadLe32(const std::string& b, std::size_t at) {
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 |
           std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}

std::uint32_t ReadBe32(const std::string& b, std::size_t at) {
    return std::uint32_t(std::uint8_t(b[at])) << 24 | std::uint32_t(std::uint8_t(b[at + 1])) << 16 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 8 | std::uint32_t(std::uint8_t(b[at + 3]));
}

bool ReadImageFacts(const std::string& kind, int id, ImageFacts& facts) {
    std::string b;
    if (!LoadSkinResource(id, kind == "png" ? L"png" : L"bitmap", b)) {
        return false;
    }
    if (kind == "png") {
        if (b.size() < 33 || b.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 ||
            b.compare(12, 4, "IHDR") != 0) {
            return false;
        }
        facts.width = int(ReadBe32(b, 16));
        facts.height = int(ReadBe32(b, 20));
        facts.alpha = b[25] == 6;
        return b[24] == 8;
    }
    if (b.size() < 54 || b.compare(0, 2, "BM") != 0) {
        return false;
    }
    facts.width = int(ReadLe32(b, 18));
    facts.height = int(ReadLe32(b, 22));
    facts.bitsPerPixel = std::uint8_t(b[28]);
    return true;
}

TEST(ShippedResourcesTest, ImagesHaveTheListedSizeDepthAndTransparency) {
    const struct {
        std::string kind;
        int id;
        int width;
        int height;
        int bitsPerPixel; // bitmaps: 24 or 8; PNG images: 32 with alpha, 24 without
    } images[] = {
        {"png", 3, 432, 48, 32},        {"png", 44, 141, 21, 32},      {"png", 45, 90, 21, 32},
        {"png", 46, 90, 21, 24},        {"png", 47, 90, 21, 32},       {"png", 48, 90, 21, 24},
        {"png", 49, 1900, 1188, 32},    {"bitmap", 106, 3, 3, 24},     {"bitmap", 107, 3, 3, 8},
        {"bitmap", 10001, 7, 23, 24},   {"bitmap", 10002, 15, 90, 24}, {"bitmap", 10003, 5, 23, 24},
        {"bitmap", 10004, 213, 71, 24}, {"bitmap", 10005, 21, 25, 24}, {"bitmap", 10006, 1, 32, 8},
        {"bitmap", 10011, 15, 90, 24},  {"bitmap", 10012, 5, 3, 24},   {"bitmap", 10013, 7, 15, 24},
        {"bitmap", 10014, 5, 11, 24},
    };
    for (const auto& image : images) {
        ImageFacts facts;
        ASSERT_TRUE(ReadImageFacts(image.kind, image.id, facts)) << image.kind << image.id;
        EXPECT_EQ(facts.width, image.width) << image.id;
        EXPECT_EQ(facts.height, image.height) << image.id;
        if (image.kind == "png") {
            EXPECT_EQ(facts.alpha, image.bitsPerPixel == 32) << image.id;
        } else {
            EXPECT_EQ(facts.bitsPerPixel, image.bitsPerPixel) << image.id;
        }
    }
    // Every image a skin names is among them, with a sub-image width that divides it.
    for (const SkinRow& skin : ShippedSkins()) {
        auto src = skin.attributes.find("src");
        if (src == skin.attributes.end()) {
            continue;
        }
        ImageFacts facts;
        ASSERT_TRUE(ReadImageFacts(skin.kind, std::stoi(src->second), facts)) << skin.name;
        auto subwidth = skin.attributes.find("subwidth");
        if (subwidth != skin.attributes.end()) {
            EXPECT_EQ(facts.width % std::stoi(subwidth->second), 0) << skin.name;
        }
    }
}

TEST(ShippedResourcesTest, StyleListHoldsEveryClassUnquoted) {
    std::string bytes;
    ASSERT_TRUE(LoadSkinResource(101, L"xml", bytes));
    EXPECT_EQ(bytes.find("=\"", bytes.find("?>")),
              std::string::npos); // only the declaration is quoted
    TiXmlDocument document;
    ASSERT_TRUE(LoadXmlResource(101, document));
    ASSERT_EQ(document.RootElement()->ValueStr(), "style");
    std::multimap<std::string, Attributes> classes;
    for (const TiXmlElement* e = document.RootElement()->FirstChildElement("class"); e != nullptr;
         e = e->NextSiblingElement("class")) {
        Attributes attributes = AttributesOf(e);
        classes.emplace(attributes["name"], attributes);
    }
    // Every class as the product defines it (values as written in the file).
    const struct {
        std::string name;
        Attributes attributes;
    } expected[] = {
        {"mainhead",
         {{"name", "mainhead"},
          {"skin", "mainbghead"},
          {"font", "0000"},
          {"crtext", "000000"},
          {"crbg", "FBFCFD"}}},
        {"mainbody",
         {{"name", "mainbody"},
          {"skin", "mainbgbody"},
          {"font", "0000"},
          {"crtext", "FFFFFF"},
          {"crbg", "FBFCFD"},
          {"x-margin", "7"}}},
        {"mainfoot",
         {{"name", "mainfoot"},
          {"skin", "mainbgfoot"},
          {"font", "0000"},
          {"crtext", "000000"},
          {"crbg", "FBFCFD"},
          {"x-margin", "10"},
          {"y-margin", "1"}}},
        {"msgboxhead",
         {{"name", "msgboxhead"},
          {"skin", "msgboxhead"},
          {"font", "0000"},
          {"crtext", "000000"},
          {"crbg", "FBFCFD"}}},
        {"msgboxbody",
         {{"name", "msgboxbody"},
          {"skin", "msgboxbody"},
          {"font", "0000"},
          {"crtext", "000000"},
          {"crbg", "FBFCFD"}}},
        {"msgboxfoot",
         {{"name", "msgboxfoot"},
          {"skin", "msgboxfoot"},
          {"font", "0000"},
          {"crtext", "000000"},
          {"crbg", "FBFCFD"}}},
        {"dlgbody",
         {{"name", "dlgbody"},
          {"skin", "dlgbody"},
          {"font", "0000"},
          {"crtext", "000000"},
          {"crbg", "FBFCFD"}}},
        {"dlgfoot",
         {{"name", "dlgfoot"},
          {"skin", "dlgfoot"},
          {"font", "0000"},
          {"crtext", "000000"},
          {"crbg", "FBFCFD"}}},
        {"panel", {{"name", "panel"}, {"skin", "panel"}, {"margin", "1"}}},
        {"cpanel", {{"name", "cpanel"}, {"skin", "panel"}, {"margin", "20"}}},
        {"panelgray", {{"name", "panelgray"}, {"skin", "panelgray"}}},
        {"panelblue", {{"name", "panelblue"}, {"skin", "panelblue"}}},
        {"panelwhite", {{"name", "panelwhite"}, {"skin", "panelwhite"}}},
        {"panelffffff", {{"name", "panelffffff"}, {"skin", "panelffffff"}, {"margin", "1"}}},
        {"anibg", {{"name", "anibg"}, {"skin", "anibg"}}},
        {"tipbg", {{"name", "tipbg"}, {"skin", "tipbg"}}},
        {"tab_header_bg",
         {{"name", "tab_header_bg"},
          {"skin", "tab_header_bk"},
          {"font", "0000"},
          {"crtext", "000000"},
          {"crbg", "FBFCFD"}}},
        {"normalbtn",
         {{"name", "normalbtn"},
          {"skin", "normalbtn"},
          {"font", "0000"},
          {"crtext", "000000"},
          {"textmode", "25"},
          {"cursor", "hand"},
          {"x-margin", "5"}}},
        {"listheader",
         {{"name", "listheader"},
          {"skin", "listheaderbg"},
          {"font", "0000"},
          {"crtext", "000000"},
          {"crbg", "FBFCFD"},
          {"textmode", "25"}}},
        {"linktext",
         {{"name", "linktext"},
          {"font", "0002"},
          {"hoverfont", "0002"},
          {"crtext", "3064A5"},
          {"crhover", "FF0000"},
          {"cursor", "hand"}}},
        {"linktext2",
         {{"name", "linktext2"}, {"crtext", "3064A5"}, {"crhover", "FF0000"}, {"cursor", "hand"}}},
        {"linktext3",
         {{"name", "linktext3"},
          {"font", "0002"},
          {"hoverfont", "0002"},
          {"crtext", "0051E5"},
          {"crhover", "FF0000"},
          {"cursor", "hand"}}},
        {"linktext4",
         {{"name", "linktext4"}, {"crhover", "ffffff"}, {"cursor", "hand"}, {"crtext", "ffffff"}}},
        {"linktext5",
         {{"name", "linktext5"}, {"crtext", "3064A5"}, {"crhover", "BFE7FF"}, {"cursor", "hand"}}},
        {"linktextwhite",
         {{"name", "linktextwhite"},
          {"font", "0000"},
          {"hoverfont", "0000"},
          {"crtext", "FFFFFF"},
          {"crhover", "AAAA00"},
          {"cursor", "hand"}}},
        {"linktextright",
         {{"name", "linktextright"},
          {"font", "0002"},
          {"hoverfont", "0002"},
          {"crtext", "3064A5"},
          {"crhover", "FF0000"},
          {"cursor", "hand"},
          {"textmode", "26"}}},
        {"linkbtn",
         {{"name", "linkbtn"}, {"crtext", "3064A5"}, {"crhover", "FF0000"}, {"cursor", "hand"}}},
        {"subjecttext", {{"name", "subjecttext"}, {"font", "0004"}, {"crtext", "800000"}}},
        {"client", {{"name", "client"}, {"margin", "10"}}},
        {"linkimage", {{"name", "linkimage"}, {"cursor", "hand"}}},
        {"mark",
         {{"name", "mark"}, {"crtext", "2F63A5"}, {"crhover", "2F63A5"}, {"cursor", "hand"}}},
        {"boldtext", {{"name", "boldtext"}, {"font", "0004"}, {"textmode", "20"}}},
        {"toptext", {{"name", "toptext"}, {"textmode", "20"}}},
        {"vcentertext", {{"name", "vcentertext"}, {"textmode", "24"}}},
        {"rightvcentertext", {{"name", "rightvcentertext"}, {"textmode", "26"}}},
        {"centertext", {{"name", "centertext"}, {"textmode", "25"}}},
        {"righttext", {{"name", "righttext"}, {"textmode", "22"}}},
        {"tabpage", {{"name", "tabpage"}, {"margin", "2"}, {"crbg", "FBFCFD"}}},
        {"msgtext",
         {{"name", "msgtext"}, {"font", "0000"}, {"crtext", "000000"}, {"textmode", "850"}}},
        {"msgtextsingleline",
         {{"name", "msgtextsingleline"},
          {"font", "0000"},
          {"crtext", "000000"},
          {"textmode", "874"}}},
        {"list", {{"name", "list"}, {"spacing", "10"}}},
        {"dlgtitle",
         {{"name", "dlgtitle"}, {"font", "0004"}, {"crtext", "FFFFFF"}, {"textmode", "8030"}}},
        {"splitter",
         {{"name", "splitter"}, {"crbg", "E5E5E5"}, {"textmode", "25"}, {"cursor", "hand"}}},
        {"splitter_notclickable",
         {{"name", "splitter_notclickable"}, {"crbg", "E5E5E5"}, {"textmode", "25"}}},
        {"logtext", {{"name", "logtext"}, {"font", "0A04"}, {"textmode", "2010"}}},
        {"text_multiline", {{"name", "text_multiline"}, {"textmode", "2010"}}},
        {"text_novul", {{"name", "text_novul"}, {"font", "0804"}, {"crtext", "00FF00"}}},
        {"text_note", {{"name", "text_note"}, {"font", "0000"}, {"crtext", "333333"}}},
        {"text_title", {{"name", "text_title"}, {"font", "0804"}}},
        {"text_emerg_tag", {{"name", "text_emerg_tag"}, {"crtext", "FFFFFF"}, {"crbg", "FF0000"}}},
        {"text_warning_tag",
         {{"name", "text_warning_tag"}, {"crtext", "FFFFFF"}, {"crbg", "FFFF00"}}},
        {"text_color_red", {{"name", "text_color_red"}, {"crtext", "FF0000"}}},
        {"text_color_yellow", {{"name", "text_color_yellow"}, {"crtext", "FFFF00"}}},
        {"text_color_green", {{"name", "text_color_green"}, {"crtext", "00FFFF"}}},
        {"richtext", {{"name", "richtext"}, {"spacing", "5"}, {"linespacing", "20"}}},
    };
    for (const auto& c : expected) {
        auto [first, last] = classes.equal_range(c.name);
        ASSERT_NE(first, last) << c.name;
        for (auto it = first; it != last; ++it) {
            EXPECT_EQ(it->second, c.attributes) << c.name;
        }
    }
    EXPECT_EQ(classes.count("linktext"), 2u);
    EXPECT_EQ(classes.size(), 56u);
}

// One element a layout must hold: its tag, some attributes and (when given) its text.
struct ElementRow {
    int layout;
    std::string tag;
    Attributes attributes;
    std::string text;
};

bool Matches(const TiXmlElement* e, const ElementRow& row) {
    if (e->ValueStr() != row.tag) {
        return false;
    }
    for (const auto& [name, value] : row.attributes) {
        const char* actual = e->Attribute(name.c_str());
        if (actual == nullptr || value != actual) {
            return false;
        }
    }
    return row.text.empty() || (e->GetText() != nullptr && row.text == e->GetText());
}

template <typename Visit> void ForEachElement(const TiXmlElement* first, Visit visit) {
    for (const TiXmlElement* e = first; e != nullptr; e = e->NextSiblingElement()) {
        visit(e);
        ForEachElement(e->FirstChildElement(), visit);
    }
}

const TiXmlElement* FindMatching(const TiXmlElement* first, const ElementRow& row) {
    for (const TiXmlElement* e = first; e != nullptr; e = e->NextSiblingElement()) {
        if (Matches(e, row)) {
            return e;
        }
        if (const TiXmlElement* inner = FindMatching(e->FirstChildElement(), row)) {
            return inner;
        }
    }
    return nullptr;
}

TEST(ShippedResourcesTest, LayoutsHoldTheElementsTheDialogsUse) {
    const ElementRow rows[] = {
        {103,
         "layer",
         {{"title", "Vistrel"},
          {"width", "1024"},
          {"height", "768"},
          {"appwin", "1"},
          {"resize", "0"}},
         ""},
        {103, "header", {{"class", "mainhead"}, {"width", "full"}, {"height", "23"}}, ""},
        {103, "dlgfile", {{"pos", "0,0,-0,-0"}, {"src", "501"}}, ""},
        {103, "footer", {{"class", "mainfoot"}, {"width", "full"}, {"height", "23"}}, ""},
        {103, "dlgfile", {{"src", "502"}}, ""},
        {103, "body", {{"class", "mainbody"}, {"width", "full"}, {"height", "full"}}, ""},
        {103,
         "tabctrl",
         {{"id", "10101"},
          {"tabwidth", "71"},
          {"tabheight", "71"},
          {"tabskin", "tabmain"},
          {"iconskin", "logomodule"},
          {"tabspacing", "5"},
          {"tabpos", "1"},
          {"framepos", "7"},
          {"pos", "0,4,-0,-1"},
          {"icon-x", "10"},
          {"icon-y", "1"},
          {"text-x", "0"},
          {"text-y", "25"}},
         ""},
        {103,
         "tab",
         {{"title", "视频监控"}, {"width", "full"}, {"height", "full"}, {"crtext", "000000"}},
         ""},
        {103,
         "tab",
         {{"title", "设置参数"}, {"width", "full"}, {"height", "full"}, {"crtext", "000000"}},
         ""},
        {103, "dlgfile", {{"src", "521"}}, ""},
        {103, "dlgfile", {{"src", "522"}}, ""},
        {501, "icon", {{"src", "101"}, {"pos", "5,5"}}, ""},
        {501, "text", {{"class", "dlgtitle"}, {"pos", "25,5"}}, "%str1%"},
        {501,
         "imgbtn",
         {{"id", "60000"},
          {"class", "linkimage"},
          {"skin", "feedbackbtn"},
          {"tip", "意见建议"},
          {"pos", "-120,1"}},
         ""},
        {501,
         "imgbtn",
         {{"id", "60002"},
          {"class", "linkimage"},
          {"skin", "menubtn"},
          {"tip", "更多操作"},
          {"pos", "-108,1"}},
         ""},
        {501,
         "imgbtn",
         {{"id", "60003"},
          {"class", "linkimage"},
          {"skin", "minbtn"},
          {"tip", "最小化到托盘"},
          {"pos", "-78,1"}},
         ""},
        {501,
         "imgbtn",
         {{"id", "60001"},
          {"class", "linkimage"},
          {"skin", "closebtn"},
          {"tip", "关闭界面，最小化到托盘"},
          {"pos", "-48,1"}},
         ""},
        {502,
         "text",
         {{"pos", "0,0,220,-0"}, {"class", "vcentertext"}, {"crtext", "FFFFFF"}},
         "%str2%"},
        {502,
         "text",
         {{"id", "10150"},
          {"pos", "-280,0,-141,-0"},
          {"class", "vcentertext"},
          {"crtext", "FFFFFF"}},
         "永久免费 Vistrel客户端"},
        {502,
         "text",
         {{"id", "10151"}, {"pos", "-140,0,-0,-0"}, {"class", "vcentertext"}, {"crtext", "FFFFFF"}},
         ""},
        {521, "dlg", {{"pos", "0,7,-0,-0"}}, ""},
        {521, "dlg", {{"id", "10031"}, {"pos", "0,0,-150,-0"}, {"class", "panel"}}, ""},
        {521, "realwnd", {{"id", "10032"}, {"pos", "0,0,-0,-0"}}, ""},
        {521, "dlg", {{"id", "10036"}, {"pos", "-152,0,-0,-0"}, {"class", "panel"}}, ""},
        {521,
         "button",
         {{"id", "10033"}, {"pos", "|-30,|-40,|30,|-20"}, {"class", "normalbtn"}},
         "开启"},
        {521,
         "button",
         {{"id", "10034"}, {"pos", "|-30,|20,|30,|40"}, {"class", "normalbtn"}},
         "关闭"},
        {521, "img", {{"skin", "bg"}, {"pos", "0,0,-0,-0"}, {"transparent", "1"}}, ""},
        {522, "dlg", {{"pos", "1,7,200,-0"}, {"class", "panel"}}, ""},
        {522, "b", {}, "参数设定"},
        {522, "c", {{"color", "800000"}}, ""},
        {522, "dlg", {{"id", "10065"}, {"pos", "210,|-100,-0,|0"}}, ""},
        {522, "text", {{"class", "subjecttext"}, {"pos", "100,|-30"}}, "保存路径："},
        {522, "edit", {{"id", "10066"}, {"pos", "200,|-30,-200,|-10"}, {"readonly", "1"}}, ""},
        {522,
         "button",
         {{"id", "10067"}, {"class", "normalbtn"}, {"pos", "-180,|-30,-100,|-10"}},
         "浏览..."},
        {522,
         "button",
         {{"id", "10064"}, {"class", "normalbtn"}, {"pos", "|-80,|30,|80,|60"}},
         "设置路径"},
        {522, "img", {{"skin", "bg"}, {"pos", "0,0,-0,-0"}, {"transparent", "1"}}, ""},
        {510, "layer", {{"title", "关于"}, {"width", "350"}, {"height", "240"}}, ""},
        {510, "header", {{"class", "msgboxhead"}, {"height", "32"}}, ""},
        {510, "icon", {{"src", "101"}, {"pos", "5,9"}}, ""},
        {510, "text", {{"class", "dlgtitle"}, {"pos", "25,10"}}, "关于"},
        {510,
         "imgbtn",
         {{"id", "60001"}, {"class", "linkimage"}, {"skin", "closeonlybtn"}, {"pos", "-43,0"}},
         ""},
        {510, "footer", {{"class", "msgboxfoot"}, {"height", "45"}}, ""},
        {510, "button", {{"id", "2"}, {"pos", "-90,10,-10,-10"}, {"class", "normalbtn"}}, "关闭"},
        {510, "body", {{"class", "msgboxbody"}}, ""},
        {510, "dlg", {{"pos", "10,10,-10,-0"}}, ""},
        {510, "text", {{"pos", "0,0"}, {"class", "subjecttext"}}, "%str1% * 简约是一种精神"},
        {510, "richtext", {{"pos", "0,30,-0,-0"}, {"class", "richtext"}}, ""},
        {510, "c", {{"color", "FF0000"}}, ""},
        {510, "b", {}, "永久免费"},
        {510, "text", {{"pos", "0,50"}}, "版本："},
        {510, "text", {{"pos", "80,50"}}, "%str2%"},
        {510, "text", {{"pos", "80,70"}, {"class", "linktext"}}, ""},
        {108, "layer", {{"title", "更新提示"}, {"width", "350"}, {"height", "240"}}, ""},
        {108, "header", {{"class", "msgboxhead"}, {"width", "full"}, {"height", "32"}}, ""},
        {108, "text", {{"class", "dlgtitle"}, {"pos", "25,10"}}, "更新提示"},
        {108,
         "imgbtn",
         {{"id", "60001"}, {"class", "linkimage"}, {"skin", "closeonlybtn"}, {"pos", "-43,0"}},
         ""},
        {108, "footer", {{"class", "msgboxfoot"}, {"width", "full"}, {"height", "45"}}, ""},
        {108, "button", {{"id", "2"}, {"class", "normalbtn"}, {"pos", "-90,10,-10,-10"}}, "关闭"},
        {108, "body", {{"class", "msgboxbody"}}, ""},
        {108, "dlg", {{"pos", "10,10,-10,-0"}}, ""},
        {108, "richtext", {{"id", "60002"}, {"class", "richtext"}, {"pos", "0,0,-0,-70"}}, ""},
        {108, "text", {{"id", "60003"}, {"pos", "0,-70"}}, "下载链接："},
        {108, "text", {{"class", "linktext"}, {"pos", "|0,-70"}}, "点击下载"},
        {108, "text", {{"id", "60004"}, {"pos", "0,-40"}}, "下载页面："},
        {108, "text", {{"class", "linktext"}, {"pos", "|0,-40"}}, "打开浏览"},
    };
    std::map<int, TiXmlDocument> documents;
    for (const ElementRow& row : rows) {
        if (!documents.count(row.layout)) {
            ASSERT_TRUE(LoadXmlResource(row.layout, documents[row.layout])) << row.layout;
        }
        EXPECT_NE(FindMatching(documents[row.layout].FirstChildElement(), row), nullptr)
            << "layout " << row.layout << ": <" << row.tag << "> " << row.text;
    }
    // Every link text of the update prompt and the about box goes somewhere.
    for (int layout : {108, 510}) {
        int links = 0;
        ForEachElement(documents[layout].FirstChildElement(), [&](const TiXmlElement* e) {
            const char* cls = e->Attribute("class");
            if (cls != nullptr && std::string(cls) == "linktext") {
                ++links;
                EXPECT_NE(e->Attribute("href"), nullptr) << layout;
            }
        });
        EXPECT_EQ(links, layout == 108 ? 2 : 1);
    }
}

TEST(ShippedResourcesTest, MessageBoxLayoutsShareTheirElements) {
    const struct {
        int layout;
        std::string footerHeight;
        std::string groupPos;
        std::string checkPos; // empty: no check box
        std::string bodyPanelPos;
    } boxes[] = {
        {105, "45", "0,0,-0,-0", "20,-20", "0,0,-0,-0"},
        {106, "55", "0,0,-0,-10", "70,-15", "0,0,-0,-0"},
        {107, "5", "0,0,-0,-0", "", "0,0,-20,-0"},
    };
    for (const auto& box : boxes) {
        std::string bytes;
        ASSERT_TRUE(LoadSkinResource(box.layout, L"xml", bytes));
        // These layouts are written without quotes around attribute values.
        EXPECT_EQ(bytes.find("=\"", bytes.find("?>")), std::string::npos) << box.layout;
        TiXmlDocument document;
        ASSERT_TRUE(LoadXmlResource(box.layout, document));
        const TiXmlElement* root = document.RootElement();
        ASSERT_EQ(root->ValueStr(), "layer");
        EXPECT_EQ(root->Attribute("width"), nullptr);
        const ElementRow rows[] = {
            {0, "header", {{"class", "msgboxhead"}, {"width", "full"}, {"height", "31"}}, ""},
            {0, "icon", {{"src", "101"}, {"pos", "5,9"}}, ""},
            {0, "text", {{"id", "60004"}, {"class", "dlgtitle"}, {"pos", "25,10"}}, "%str1%"},
            {0,
             "imgbtn",
             {{"id", "60001"}, {"class", "linkimage"}, {"skin", "closeonlybtn"}, {"pos", "-43,0"}},
             ""},
            {0,
             "footer",
             {{"class", "msgboxfoot"}, {"width", "full"}, {"height", box.footerHeight}},
             ""},
            {0, "dlg", {{"id", "60008"}, {"class", "client"}, {"pos", box.groupPos}}, ""},
            {0, "body", {{"class", "msgboxbody"}, {"width", "full"}, {"height", "full"}}, ""},
            {0, "dlg", {{"pos", box.bodyPanelPos}}, ""},
            {0, "dlg", {{"pos", "0,0,-0,-20"}}, ""},
            {0,
             "icon",
             {{"id", "60005"}, {"pos", "20,20"}, {"src", "32516"}, {"oem", "1"}, {"size", "32"}},
             ""},
            {0, "text", {{"id", "60006"}, {"pos", "70,20,-0,-0"}, {"class", "msgtext"}}, ""},
            {0,
             "dlg",
             {{"id", "60016"}, {"pos", "70,20,-0,-0"}, {"class", "msgtext"}, {"show", "0"}},
             ""},
        };
        for (const ElementRow& row : rows) {
            EXPECT_NE(FindMatching(root, row), nullptr)
                << "layout " << box.layout << ": <" << row.tag << ">";
        }
        const TiXmlElement* check = FindMatching(root, {0, "check", {{"id", "60007"}}, ""});
        if (box.checkPos.empty()) {
            EXPECT_EQ(check, nullptr);
        } else {
            ASSERT_NE(check, nullptr);
            EXPECT_EQ(std::string(check->Attribute("pos")), box.checkPos);
            EXPECT_STREQ(check->GetText(), "下次不再提示");
        }
    }
}

TEST(ShippedResourcesTest, MenusHoldTheirItemsInOrder) {
    const struct {
        int id;
        std::string popup;
        std::vector<std::pair<std::string, std::string>> items; // (id, text); "" = separator
    } menus[] = {
        {201, "主菜单", {{"32777", "关于"}}},
        {202, "TrayMenu", {{"32775", "窗口"}, {"", ""}, {"32774", "退出"}}},
    };
    for (const auto& menu : menus) {
        std::string bytes;
        ASSERT_TRUE(LoadSkinResource(menu.id, L"menu", bytes));
        TiXmlDocument document;
        document.Parse(bytes.c_str(), nullptr, TIXML_ENCODING_UTF8);
        ASSERT_FALSE(document.Error());
        ASSERT_EQ(document.RootElement()->ValueStr(), "menu");
        const TiXmlElement* popup = document.RootElement()->FirstChildElement("popup");
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(popup->NextSiblingElement("popup"), nullptr);
        EXPECT_EQ(std::string(popup->Attribute("text")), menu.popup);
        std::vector<std::pair<std::string, std::string>> items;
        for (const TiXmlElement* e = popup->FirstChildElement(); e != nullptr;
             e = e->NextSiblingElement()) {
            if (e->ValueStr() == "separator") {
                items.emplace_back("", "");
            } else {
                EXPECT_EQ(e->ValueStr(), "item");
                items.emplace_back(e->Attribute("id"), e->Attribute("text"));
            }
        }
        EXPECT_EQ(items, menu.items) << menu.id;
    }
}

TEST(ShippedResourcesTest, IconsHoldPngImagesAtTheSmallAndLargeSizes) {
    for (int id : {100, 101, 128}) {
        std::string b;
        ASSERT_TRUE(LoadSkinResource(id, L"icon", b)) << id;
        ASSERT_GE(b.size(), 6u);
        const int count = std::uint8_t(b[4]) | std::uint8_t(b[5]) << 8;
        std::set<int> sizes;
        for (int i = 0; i < count; ++i) {
            const std::size_t entry = 6 + 16 * std::size_t(i);
            ASSERT_LE(entry + 16, b.size());
            const std::uint32_t length = ReadLe32(b, entry + 8);
            const std::uint32_t offset = ReadLe32(b, entry + 12);
            ASSERT_LE(std::size_t(offset) + length, b.size()) << id;
            EXPECT_EQ(b.compare(offset, 8, "\x89PNG\r\n\x1a\n"), 0) << id;
            const int size = std::uint8_t(b[entry]);
            EXPECT_EQ(int(ReadBe32(b, offset + 16)), size == 0 ? 256 : size) << id;
            sizes.insert(size);
        }
        EXPECT_TRUE(sizes.count(16) && sizes.count(32)) << id;
    }
}

// Skin names the shipped styles and layouts use although the skin list does not define them;
// those elements draw no skin.
const std::set<std::string> kUndefinedSkins = {
    "feedbackbtn", "anibg",       "listheaderbg", "tabmainsplitter", "diagnose_success",
    "stars",       "processtext", "pbk1",         "processinfo"};

TEST(ShippedResourcesTest, EverySkinLoadsWithItsImage) {
    ASSERT_TRUE(LoadSkins(100));
    for (const SkinRow& row : ShippedSkins()) {
        CBkSkinBase* skin = BkSkinPool::Instance().Get(row.name);
        ASSERT_NE(skin, nullptr) << row.name;
        EXPECT_TRUE(skin->IsTag(row.kind)) << row.name;
        auto src = row.attributes.find("src");
        if (src == row.attributes.end()) {
            continue;
        }
        const int id = std::stoi(src->second);
        HBITMAP image =
            row.kind == "png" ? BkPngPool::Instance().Get(id) : BkBmpPool::Instance().Get(id);
        ASSERT_NE(image, nullptr) << row.name;
        BITMAP info;
        ASSERT_TRUE(GetObject(image, &info));
        ImageFacts facts;
        ASSERT_TRUE(ReadImageFacts(row.kind, id, facts));
        EXPECT_EQ(info.bmWidth, facts.width) << row.name;
        EXPECT_EQ(std::abs(info.bmHeight), facts.height) << row.name;
        auto subwidth = row.attributes.find("subwidth");
        const SIZE natural = skin->NaturalSize();
        if (row.kind == "png" || row.kind == "imglst") {
            EXPECT_EQ(natural.cx,
                      subwidth != row.attributes.end() ? std::stoi(subwidth->second) : facts.width)
                << row.name;
            EXPECT_EQ(natural.cy, facts.height) << row.name;
        } else if (row.kind == "imghorzex") {
            EXPECT_EQ(natural.cy, facts.height) << row.name;
        }
    }
}

TEST(ShippedResourcesTest, EveryStyleSkinExistsOrIsKnownUndefined) {
    const WString face = L"微软雅黑";
    BkFontPool::Instance().SetDefaultFont(&face, -12);
    ASSERT_TRUE(LoadSkins(100));
    ASSERT_TRUE(LoadStyles(101));
    TiXmlDocument document;
    ASSERT_TRUE(LoadXmlResource(101, document));
    int classes = 0;
    for (const TiXmlElement* e = document.RootElement()->FirstChildElement("class"); e != nullptr;
         e = e->NextSiblingElement("class")) {
        const std::string name = e->Attribute("name");
        const BkStyle& style = BkStylePool::Instance().Get(name);
        EXPECT_EQ(style.name, name);
        if (!style.skinName.empty() && BkSkinPool::Instance().Get(style.skinName) == nullptr) {
            EXPECT_TRUE(kUndefinedSkins.count(style.skinName)) << name << ": " << style.skinName;
        }
        ++classes;
    }
    EXPECT_EQ(classes, 56);
    // A few values as the classes define them, with the start-up base font of height -12.
    BkStylePool& pool = BkStylePool::Instance();
    EXPECT_EQ(pool.Get("mainbody").xMargin, 7);
    EXPECT_EQ(pool.Get("mainbody").yMargin, 0);
    EXPECT_EQ(pool.Get("cpanel").yMargin, 20);
    EXPECT_EQ(pool.Get("msgtext").textmode, 0x850u);
    EXPECT_EQ(pool.Get("linktext").cursor, IDC_HAND);
    EXPECT_EQ(pool.Get("linktext").crhover, RGB(0xFF, 0, 0));
    LOGFONT font;
    ASSERT_TRUE(GetObject(pool.Get("logtext").font, &font));
    EXPECT_EQ(font.lfHeight, -22);
    ASSERT_TRUE(GetObject(pool.Get("text_title").font, &font));
    EXPECT_EQ(font.lfHeight, -20);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
}

TEST(ShippedResourcesTest, EverySkinALayoutNamesExistsOrIsKnownUndefined) {
    ASSERT_TRUE(LoadSkins(100));
    int named = 0;
    for (int layout : {103, 105, 106, 107, 108, 501, 502, 510, 521, 522}) {
        TiXmlDocument document;
        ASSERT_TRUE(LoadXmlResource(layout, document));
        ForEachElement(document.FirstChildElement(), [&](const TiXmlElement* e) {
            for (const char* attribute : {"skin", "tabskin", "iconskin", "frameskin",
                                          "splitterskin", "splitterskin1", "bgskin", "posskin"}) {
                const char* name = e->Attribute(attribute);
                if (name == nullptr) {
                    continue;
                }
                ++named;
                if (BkSkinPool::Instance().Get(name) == nullptr) {
                    EXPECT_TRUE(kUndefinedSkins.count(name)) << layout << ": " << name;
                }
            }
        });
    }
    EXPECT_GT(named, 10);
}

TEST(ShippedResourcesTest, ProgramIconsLoadAtTheSmallIconSize) {
    for (int id : {100, 101, 128}) {
        HICON icon = BkIconPool::Instance().GetIcon(id);
        ASSERT_NE(icon, nullptr) << id;
        EXPECT_EQ(icon->Width(), 16) << id;
        EXPECT_EQ(BkIconPool::Instance().GetIcon(id), icon);
        HICON large = LoadSkinIcon(id, 32, 32);
        ASSERT_NE(large, nullptr);
        EXPECT_EQ(large->Width(), 32);
        DestroyIcon(large);
    }
    EXPECT_EQ(BkIconPool::Instance().GetIcon(9999), nullptr);
}

} // namespace
