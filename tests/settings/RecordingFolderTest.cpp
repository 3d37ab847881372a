#include "settings/RecordingFolder.h"

#include "settings/TextEncoding.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <vector>

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

    std::string ReadSettingFile() const {
        std::ifstream file(m_file, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    // Names in the folder besides the settings file: temporary files left behind.
    std::vector<std::string> OtherFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_folder)) {
            if (entry.path() != m_file) {
                names.push_back(entry.path().filename().string());
            }
        }
        return names;
    }

    fs::path m_folder;
    std::string m_file;
};

// Files of this process may grow to `bytes` at most while it lives; writing past that fails
// (for every user, as on a full disk) instead of raising the signal.
class CScopedFileSizeLimit {
public:
    explicit CScopedFileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~CScopedFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    sighandler_t m_oldHandler;
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
    EXPECT_EQ(folder.WriteFolder(), CRecordingFolder::WriteResult::Rebuilt);

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
    EXPECT_EQ(folder.WriteFolder(), CRecordingFolder::WriteResult::Updated);

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
        EXPECT_EQ(folder.WriteFolder(), CRecordingFolder::WriteResult::Rebuilt) << content;
        CRecordingFolder reread(m_file);
        EXPECT_TRUE(reread.Load()) << content;
        EXPECT_EQ(reread.VideoPath(), L"/rebuilt") << content;
    }
}

TEST_F(RecordingFolderTest, ADamagedFileThatWouldNotReadBackIsRebuilt) {
    // Files that parse but print as something that reads back otherwise (found by fuzzing).
    using namespace std::string_literals;
    for (const std::string& content :
         {"<?xml v&\x83 encoding=\"U&amp; standaloen=\xff\x08\" ?>\n"
          "<Setting><VideoPath value=\"/old\" /></Setting>\n"s,
          "<Config><Folder value=\"/ho\xef\x00mre\" other=\xdc/></Config>"s}) {
        WriteSettingFile(content);
        CRecordingFolder folder(m_file);
        folder.SetVideoPath(L"/media/录像 <&\"'>");
        EXPECT_NE(folder.WriteFolder(), CRecordingFolder::WriteResult::Failed);
        CRecordingFolder reread(m_file);
        EXPECT_TRUE(reread.Load()) << content;
        EXPECT_EQ(reread.VideoPath(), L"/media/录像 <&\"'>") << content;
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

TEST_F(RecordingFolderTest, AWriteThatFailsLeavesTheSavedFileAsItWasAndSaysSo) {
    const std::string saved =
        std::string(kDeclaration) + "<Setting><VideoPath value=\"/saved/before\" /></Setting>\n";
    CRecordingFolder folder(m_file);
    folder.SetVideoPath(L"/a/much/longer/folder/than/the/file/may/take/now");
    {
        // The disk fills up after a few bytes of the new file.
        WriteSettingFile(saved);
        CScopedFileSizeLimit full(16);
        EXPECT_EQ(folder.WriteFolder(), CRecordingFolder::WriteResult::Failed);
    }
    EXPECT_EQ(ReadSettingFile(), saved);
    EXPECT_TRUE(OtherFiles().empty());
    CRecordingFolder reread(m_file);
    EXPECT_TRUE(reread.Load());
    EXPECT_EQ(reread.VideoPath(), L"/saved/before");

    // The new file cannot take the old one's place (here a folder stands there, which is
    // neither read nor replaced).
    fs::remove(m_file);
    fs::create_directories(fs::path(m_file) / "kept");
    EXPECT_FALSE(CRecordingFolder(m_file).Load());
    EXPECT_EQ(folder.WriteFolder(), CRecordingFolder::WriteResult::Failed);
    EXPECT_TRUE(fs::is_directory(fs::path(m_file) / "kept"));
    EXPECT_TRUE(OtherFiles().empty());

    // No file can be created where the settings file should be.
    CRecordingFolder nowhere((m_folder / "missing" / "setting.xml").string());
    nowhere.SetVideoPath(L"/x");
    EXPECT_EQ(nowhere.WriteFolder(), CRecordingFolder::WriteResult::Failed);
    EXPECT_FALSE(fs::exists(m_folder / "missing"));
}

TEST_F(RecordingFolderTest, ASavedFileKeepsItsPermissionsAndLeavesNoTemporaryFile) {
    WriteSettingFile(std::string(kDeclaration) + "<Setting><VideoPath value=\"/old\" /></Setting>");
    fs::permissions(m_file, fs::perms::owner_read | fs::perms::owner_write);
    CRecordingFolder folder(m_file);
    for (const wchar_t* path : {L"/first", L"/second/通道"}) {
        folder.SetVideoPath(path);
        EXPECT_EQ(folder.WriteFolder(), CRecordingFolder::WriteResult::Updated);
        CRecordingFolder reread(m_file);
        EXPECT_TRUE(reread.Load());
        EXPECT_EQ(reread.VideoPath(), path);
    }
    EXPECT_EQ(fs::status(m_file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(OtherFiles().empty());
}
