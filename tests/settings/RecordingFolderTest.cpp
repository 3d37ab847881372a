#include "settings/RecordingFolder.h"

#include "settings/TextEncoding.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class RecordingFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("vistrel-settings-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_folder);
        m_file = (m_folder / CRecordingFolder::kSettingFileName).string();
    }
    void TearDown() override { fs::remove_all(m_folder); }

    void WriteSettingFile(const std::string& content) const {
        std::ofstream(m_file, std::ios::binary) << content;
    }

    fs::path m_folder;
    std::string m_file;
};

const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n";

} // namespace

TEST_F(RecordingFolderTest, LoadReadsTheValueOfTheRootsFirstChildByPosition) {
    const struct {
        const char* content;
        bool read;
        const wchar_t* folder;
    } cases[] = {
        {"<Setting><VideoPath value=\"/srv/rec\" /></Setting>", true, L"/srv/rec"},
        // Other element names are read all the same.
        {"<Config><Folder value=\"/a\" /><VideoPath value=\"/b\" /></Config>", true, L"/a"},
        {"<Setting><VideoPath value=\"/home/用户/录像 &amp; more\" /></Setting>", true,
         L"/home/用户/录像 & more"},
        // A missing attribute gives an empty folder.
        {"<Setting><VideoPath /></Setting>", false, L""},
    };
    for (const auto& c : cases) {
        WriteSettingFile(std::string(kDeclaration) + c.content);
        CRecordingFolder folder(m_file);
        folder.SetVideoPath(L"/before");
        EXPECT_EQ(folder.Load(), c.read) << c.content;
        EXPECT_EQ(folder.VideoPath(), c.folder) << c.content;
    }
}

TEST_F(RecordingFolderTest, LoadWithoutAUsableFileLeavesTheFolderEmpty) {
    const char* cases[] = {
        nullptr,                                             // no file
        "<Setting><VideoPath value=\"/x\">",                 // not well-formed
        "",                                                  // empty
        "<?xml version=\"1.0\" ?>\n<!-- just a comment -->", // no root element
        "<Setting></Setting>",                               // no child element
    };
    for (const char* content : cases) {
        fs::remove(m_file);
        if (content) {
            WriteSettingFile(content);
        }
        CRecordingFolder folder(m_file);
        EXPECT_FALSE(folder.Load()) << (content ? content : "no file");
        EXPECT_EQ(folder.VideoPath(), L"") << (content ? content : "no file");
    }
}

TEST_F(RecordingFolderTest, WriteWithoutAFileCreatesTheDocumentAndTheNextStartLoadsIt) {
    CRecordingFolder folder(m_file);
    folder.SetVideoPath(L"/media/rec");
    EXPECT_FALSE(folder.WriteFolder());

    TiXmlDocument document(m_file.c_str());
    ASSERT_TRUE(document.LoadFile(TIXML_ENCODING_UTF8));
    const TiXmlDeclaration* declaration = document.FirstChild()->ToDeclaration();
    ASSERT_NE(declaration, nullptr);
    EXPECT_STREQ(declaration->Version(), "1.0");
    EXPECT_STREQ(declaration->Encoding(), "UTF-8");
    EXPECT_STREQ(declaration->Standalone(), "yes");
    const TiXmlElement* root = document.RootElement();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->ValueStr(), "Setting");
    const TiXmlElement* element = root->FirstChildElement();
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->ValueStr(), "VideoPath");
    EXPECT_STREQ(element->Attribute("value"), "/media/rec");

    CRecordingFolder nextStart(m_file);
    EXPECT_TRUE(nextStart.Load());
    EXPECT_EQ(nextStart.VideoPath(), L"/media/rec");
}

TEST_F(RecordingFolderTest, WriteUpdatesAnExistingFileInPlace) {
    WriteSettingFile(std::string(kDeclaration) +
                     "<Config><Folder value=\"/old\" other=\"kept\" /><Second /></Config>");
    CRecordingFolder folder(m_file);
    folder.SetVideoPath(L"/new/通道 <&>");
    EXPECT_TRUE(folder.WriteFolder());

    TiXmlDocument document(m_file.c_str());
    ASSERT_TRUE(document.LoadFile(TIXML_ENCODING_UTF8));
    const TiXmlElement* element = document.RootElement()->FirstChildElement();
    EXPECT_EQ(element->ValueStr(), "Folder");
    EXPECT_EQ(FromUtf8(element->Attribute("value")), L"/new/通道 <&>");
    EXPECT_STREQ(element->Attribute("other"), "kept");
    EXPECT_NE(document.RootElement()->FirstChildElement("Second"), nullptr);
}

TEST_F(RecordingFolderTest, WriteRebuildsAFileItCannotUpdate) {
    for (const char* content : {"not xml at all <", "<!-- no root -->", "<Setting/>"}) {
        WriteSettingFile(content);
        CRecordingFolder folder(m_file);
        folder.SetVideoPath(L"/rebuilt");
        EXPECT_FALSE(folder.WriteFolder()) << content;
        CRecordingFolder reread(m_file);
        EXPECT_TRUE(reread.Load()) << content;
        EXPECT_EQ(reread.VideoPath(), L"/rebuilt") << content;
    }
}

TEST(TextEncoding, RoundTripsAndReplacesInvalidBytes) {
    const WString text = L"/home/用户/🎥 rec";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(ToUtf8(L"通道"), "通道");
    EXPECT_EQ(FromUtf8("a\xff"
                       "b"),
              L"a\xFFFD"
              L"b");
    EXPECT_EQ(FromUtf8("\xe9\x80"), L"\xFFFD\xFFFD"); // cut short
    EXPECT_EQ(FromUtf8("\xc0\xaf"), L"\xFFFD\xFFFD"); // overlong
}
