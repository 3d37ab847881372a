#include "settings/RecordingFolder.h"

#include "app/Log.h"
#include "settings/ReplaceFileContents.h"
#include "settings/TextEncoding.h"

#include <tinyxml.h>

#include <cstdio>
#include <memory>
#include <sys/stat.h>

namespace {

struct CFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// A settings file holds one short path; anything much larger is not one.
constexpr off_t kMaxSettingFileSize = 1 << 20;
// The XML reader may step over the end of a text that ends inside a multi-byte character (by
// up to the character's length): the text read is followed by this many zero bytes.
constexpr std::size_t kReaderPadding = 8;

// Reads and parses the settings file. Only a regular file is read: a folder or a device of
// that name would read as a file of endless length.
bool LoadSettingFile(TiXmlDocument& document, const std::string& path) {
    const std::unique_ptr<std::FILE, CFileCloser> file(std::fopen(path.c_str(), "rb"));
    struct stat status {};
    if (!file || fstat(fileno(file.get()), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_size > kMaxSettingFileSize) {
        return false;
    }
    std::string text(std::size_t(status.st_size), '\0');
    text.resize(std::fread(text.data(), 1, text.size(), file.get()));
    text.append(kReaderPadding, '\0');
    document.Parse(text.c_str(), nullptr, TIXML_ENCODING_UTF8);
    return !document.Error();
}

std::string Printed(const TiXmlDocument& document) {
    TiXmlPrinter printer;
    document.Accept(&printer);
    return printer.Str();
}

TiXmlDocument FreshDocument(const std::string& folder) {
    TiXmlDocument document;
    document.LinkEndChild(new TiXmlDeclaration("1.0", "UTF-8", "yes"));
    auto* root = new TiXmlElement("Setting");
    auto* element = new TiXmlElement("VideoPath");
    element->SetAttribute("value", folder.c_str());
    root->LinkEndChild(element);
    document.LinkEndChild(root);
    return document;
}

// Whether the text, read as the settings file is read, gives the folder.
bool ReadsBackFolder(const std::string& text, const std::string& folder) {
    TiXmlDocument document;
    document.Parse(text.c_str(), nullptr, TIXML_ENCODING_UTF8);
    const TiXmlElement* root = document.Error() ? nullptr : document.FirstChildElement();
    const TiXmlElement* element = root ? root->FirstChildElement() : nullptr;
    const char* value = element ? element->Attribute("value") : nullptr;
    return value && folder == value;
}

} // namespace

CRecordingFolder::CRecordingFolder(std::string settingFile)
    : m_settingFile(std::move(settingFile)) {}

bool CRecordingFolder::Load() {
    TiXmlDocument document;
    if (!LoadSettingFile(document, m_settingFile)) {
        return false;
    }
    const TiXmlElement* root = document.FirstChildElement();
    const TiXmlElement* element = root ? root->FirstChildElement() : nullptr;
    if (!element) {
        return false;
    }
    const char* value = element->Attribute("value");
    SetVideoPath(value ? FromUtf8(value) : WString());
    return value != nullptr;
}

CRecordingFolder::WriteResult CRecordingFolder::WriteFolder() {
    const std::string folder = ToUtf8(VideoPath());
    std::string text;
    bool updated = false;
    TiXmlDocument document;
    if (LoadSettingFile(document, m_settingFile)) {
        TiXmlElement* root = document.FirstChildElement();
        if (TiXmlElement* element = root ? root->FirstChildElement() : nullptr) {
            element->SetAttribute("value", folder.c_str());
            text = Printed(document);
            // A damaged file can parse and yet print as something that reads back otherwise
            // (a broken declaration or attribute): then it is rebuilt rather than kept.
            updated = ReadsBackFolder(text, folder);
        }
    }
    if (!updated) {
        text = Printed(FreshDocument(folder));
    }
    std::string error;
    if (!ReplaceFileContents(m_settingFile, text, &error)) {
        LogMessage("Could not write %s (%s)\n", m_settingFile.c_str(), error.c_str());
        return WriteResult::Failed;
    }
    return updated ? WriteResult::Updated : WriteResult::Rebuilt;
}

WString CRecordingFolder::VideoPath() const {
    std::lock_guard lock(m_lock);
    return m_folder;
}

void CRecordingFolder::SetVideoPath(const WString& folder) {
    std::lock_guard lock(m_lock);
    m_folder = folder;
}
