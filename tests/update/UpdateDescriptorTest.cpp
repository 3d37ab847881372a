#include "update/UpdateDescriptor.h"

#include "platform/base/Utf8.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <vector>

namespace {

WString Markup(const wchar_t* name, const wchar_t* id, const wchar_t* note) {
    return WString(L"<c color=\"FF0000\"><b>") + name + L" : " + id +
           L"</b></c><br/> <c color=\"2222ee\"><b>" + note + L"</b></c>";
}

// The markup's shape and texts as parsed by an XML reader: three texts, in bold runs inside
// colour runs, with a line break between.
struct ParsedPrompt {
    bool wellFormed = false;
    std::string nameAndId;
    std::string note;
};

ParsedPrompt Parse(const WString& markup) {
    ParsedPrompt parsed;
    // As the client reads its markup: spaces kept as written.
    TiXmlBase::SetCondenseWhiteSpace(false);
    TiXmlDocument document;
    document.Parse(("<r>" + WideToUtf8(markup) + "</r>").c_str(), nullptr, TIXML_ENCODING_UTF8);
    const TiXmlElement* root = document.RootElement();
    if (document.Error() || !root) {
        return parsed;
    }
    std::vector<const TiXmlElement*> children;
    for (const TiXmlElement* e = root->FirstChildElement(); e; e = e->NextSiblingElement()) {
        children.push_back(e);
    }
    const auto boldText = [](const TiXmlElement* colour, std::string& text) {
        const TiXmlElement* bold = colour->FirstChildElement("b");
        if (!bold || bold->NextSiblingElement() || bold->FirstChildElement()) {
            return false;
        }
        text = bold->GetText() ? bold->GetText() : "";
        return true;
    };
    parsed.wellFormed = children.size() == 3 && children[0]->ValueStr() == "c" &&
                        children[1]->ValueStr() == "br" && children[2]->ValueStr() == "c" &&
                        boldText(children[0], parsed.nameAndId) &&
                        boldText(children[2], parsed.note);
    return parsed;
}

std::string Descriptor(const std::string& name, const std::string& id, const std::string& note) {
    return "{\"versionValue\": 2, \"versionName\": \"" + name + "\", \"versionId\": \"" + id +
           "\", \"versionDifrent\": \"" + note + "\"}";
}

// The room the buffer leaves for the three texts (the markup's own text is ASCII).
std::size_t TextRoom() {
    return kPromptMarkupBufferSize - 1 - Markup(L"", L"", L"").size();
}

} // namespace

TEST(UpdateDescriptor, PromptsOnlyForAVersionGreaterThanTheClients) {
    const struct {
        std::string descriptor;
        std::optional<WString> markup;
    } cases[] = {
        {Descriptor("A", "2.0", "fix"), Markup(L"A", L"2.0", L"fix")},
        {R"({"versionValue": 7, "versionId": "1.0.0.7", "versionName": "新版本",
             "versionDifrent": "修复", "DownZipUrl": "http://x/z.zip", "DownloadPageUrl": "p"})",
         Markup(L"新版本", L"1.0.0.7", L"修复")},
        // Missing texts are empty; comments are allowed.
        {"// descriptor\n{ /* newest */ \"versionValue\": 3 }", Markup(L"", L"", L"")},
        // Members of other types read as their text, or as empty.
        {R"({"versionValue": 2, "versionName": 42, "versionId": true, "versionDifrent": {}})",
         Markup(L"42", L"true", L"")},
        {R"({"versionValue": 2.5, "versionName": "n"})", Markup(L"n", L"", L"")},
        // Read up to a zero byte, in the descriptor and in a text.
        {std::string(R"({"versionValue": 2, "versionName": "a\u0000b"})") + '\0' + "garbage",
         Markup(L"a", L"", L"")},
        {R"({"versionValue": 1, "versionName": "A"})", std::nullopt},
        {R"({"versionValue": 0})", std::nullopt},
        {R"({"versionValue": -3})", std::nullopt},
        {R"({"versionValue": "2"})", std::nullopt},
        {R"({"versionValue": true})", std::nullopt},
        {R"({"versionValue": 4294967296})", std::nullopt},
        {R"({"versionName": "no version"})", std::nullopt},
        {"{}", std::nullopt},
        {"[2]", std::nullopt},
        {"2", std::nullopt},
        {"\"versionValue\"", std::nullopt},
        {"null", std::nullopt},
        {"", std::nullopt},
        {R"({"versionValue": 2,)", std::nullopt},
        {"<html>Not Found</html>", std::nullopt},
        {std::string(100000, '[') + std::string(100000, ']'), std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UpdatePromptMarkup(c.descriptor), c.markup) << c.descriptor.substr(0, 80);
    }
}

TEST(UpdateDescriptor, TextsAreEscapedSoTheyShowAsWrittenAndAddNoMarkup) {
    const std::optional<WString> markup = UpdatePromptMarkup(
        Descriptor("<b>&\\\"'", "</b></c><a href=\\\"http://evil\\\">x</a>", "&amp; <br/>"));
    ASSERT_TRUE(markup);
    EXPECT_EQ(*markup,
              Markup(L"&lt;b&gt;&amp;&quot;&apos;",
                     L"&lt;/b&gt;&lt;/c&gt;&lt;a href=&quot;http://evil&quot;&gt;x&lt;/a&gt;",
                     L"&amp;amp; &lt;br/&gt;"));
    const ParsedPrompt parsed = Parse(*markup);
    EXPECT_TRUE(parsed.wellFormed);
    EXPECT_EQ(parsed.nameAndId, "<b>&\"' : </b></c><a href=\"http://evil\">x</a>");
    EXPECT_EQ(parsed.note, "&amp; <br/>");
}

TEST(UpdateDescriptor, TextsTooLongForTheBufferAreCutAtWholeCharactersAndEscapes) {
    const std::size_t room = TextRoom();
    const auto repeat = [](const std::string& unit, std::size_t count) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i) {
            text += unit;
        }
        return text;
    };
    const std::string camera = "\xF0\x9F\x8E\xA5"; // four bytes
    const struct {
        std::string name;
        std::string note;
        // What the prompt shows.
        std::string shownName;
        std::string shownId;
        std::string shownNote;
    } cases[] = {
        // Exactly full: nothing is cut. One byte more: the note loses its last character.
        {"ab", repeat("x", room - 5), "ab", "1.2", repeat("x", room - 5)},
        {"abc", repeat("x", room - 5), "abc", "1.2", repeat("x", room - 6)},
        // Whole escapes and whole characters only.
        {"", repeat("&", 3000), "", "1.2", repeat("&", (room - 3) / 5)},
        {"", repeat("\\\"", 3000), "", "1.2", repeat("\"", (room - 3) / 6)},
        {"", repeat("通", 1000), "", "1.2", repeat("通", (room - 3) / 3)},
        {"", repeat(camera, 1000), "", "1.2", repeat(camera, (room - 3) / 4)},
        // The name alone fills the buffer: the others are empty, every tag stays.
        {repeat("n", 5000), "note", repeat("n", room), "", ""},
    };
    for (const auto& c : cases) {
        const std::optional<WString> markup = UpdatePromptMarkup(Descriptor(c.name, "1.2", c.note));
        ASSERT_TRUE(markup);
        const std::string bytes = WideToUtf8(*markup);
        EXPECT_LE(bytes.size(), kPromptMarkupBufferSize - 1);
        // Valid UTF-8 throughout: it converts back without replacement characters.
        EXPECT_EQ(Utf8ToWide(bytes), *markup);
        EXPECT_EQ(markup->find(L'\xFFFD'), WString::npos);
        const ParsedPrompt parsed = Parse(*markup);
        ASSERT_TRUE(parsed.wellFormed) << bytes.substr(0, 100);
        EXPECT_EQ(parsed.nameAndId, c.shownName + " : " + c.shownId);
        EXPECT_EQ(parsed.note, c.shownNote);
    }
}
