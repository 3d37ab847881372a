#include "settings/RecordingFolder.h"

#include "app/Log.h"
#include "settings/TextEncoding.h"

#include <tinyxml.h>

CRecordingFolder::CRecordingFolder(std::string settingFile)
    : m_settingFile(std::move(settingFile)) {}

bool CRecordingFolder::Load() {
    TiXmlDocument document(m_settingFile.c_str());
    if (!document.LoadFile(TIXML_ENCODING_UTF8)) {
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

bool CRecordingFolder::WriteFolder() {
    const std::string folder = ToUtf8(VideoPath());
    TiXmlDocument document(m_settingFile.c_str());
    bool updated = false;
    if (document.LoadFile(TIXML_ENCODING_UTF8)) {
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
    if (!document.SaveFile(m_settingFile.c_str())) {
        LogMessage("Could not write %s\n", m_settingFile.c_str());
    }
    return updated;
}

WString CRecordingFolder::VideoPath() const {
    std::lock_guard lock(m_lock);
    return m_folder;
}

void CRecordingFolder::SetVideoPath(const WString& folder) {
    std::lock_guard lock(m_lock);
    m_folder = folder;
}
