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

// Reads and parses the settings file. Only a regular file is read: a folder or a device of
// that name would read as a file of endless length.
bool LoadSettingFile(TiXmlDocument& document, const std::string& path) {
    const std::unique_ptr<std::FILE, CFileCloser> file(std::fopen(path.c_str(), "rb"));
    struct stat status {};
    if (!file || fstat(fileno(file.get()), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    return document.LoadFile(file.get(), TIXML_ENCODING_UTF8);
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
    TiXmlDocument document;
    bool updated = false;
    if (LoadSettingFile(document, m_settingFile)) {
        TiXmlElement* root = document.FirstChildElement();
        if (TiXmlElement* element = root ? root->FirstChildElement() : nullptr) {
            element->SetAttribute("value", folder.c_str());
            updated = true;
        }
    }
    if (!updated) {
        document.Clear();
        document.LinkEndChild(new TiXmlDeclaration("1.0", "UTF-8", "yes"));
        auto* root = new TiXmlElement("Setting");
        auto* element = new TiXmlElement("VideoPath");
        element->SetAttribute("value", folder.c_str());
        root->LinkEndChild(element);
        document.LinkEndChild(root);
    }
    TiXmlPrinter printer;
    document.Accept(&printer);
    std::string error;
    if (!ReplaceFileContents(m_settingFile, printer.Str(), &error)) {
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
