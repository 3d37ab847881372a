// The recording folder, the client's one setting: held in memory for the settings tab and the
// capture threads, and kept in the XML settings file "setting.xml" in the current directory:
//   <?xml version="1.0" encoding="UTF-8" standalone="yes" ?>
//   <Setting><VideoPath value="/home/me/Videos" /></Setting>
// The file is read by position (the root's first child element), whatever the names are.
#pragma once

#include "platform/base/Types.h"

#include <mutex>
#include <string>

class CRecordingFolder {
public:
    static constexpr const char* kSettingFileName = "setting.xml";

    explicit CRecordingFolder(std::string settingFile = kSettingFileName);

    // Reads the folder from the settings file. True when a value was read; a missing or
    // unreadable file, or one without the element, leaves the folder as it is, and an element
    // without the attribute `value` gives an empty folder.
    bool Load();
    enum class WriteResult {
        // An existing file was parsed and its element updated.
        Updated,
        // The document was built anew (no file, not well-formed, or no element to update).
        Rebuilt,
        // The file could not be written; the file as it was is left untouched. Logged.
        Failed,
    };
    // Writes the folder into the settings file, replacing it whole, so that a crash or a full
    // disk during the write never loses the folder saved before.
    WriteResult WriteFolder();

    // A copy of the folder; empty until loaded or set. Safe from any thread.
    WString VideoPath() const;
    void SetVideoPath(const WString& folder);

private:
    std::string m_settingFile;
    mutable std::mutex m_lock;
    WString m_folder; // guarded by m_lock
};
