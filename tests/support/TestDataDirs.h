// A temporary XDG data directory of a test's making (a MIME database and icon themes) that
// replaces the user's and the system's data directories while the object lives.
#pragma once

#include "platform/base/Types.h"

#include <filesystem>
#include <string>

class CTestDataDirs {
public:
    CTestDataDirs();
    ~CTestDataDirs();
    CTestDataDirs(const CTestDataDirs&) = delete;
    CTestDataDirs& operator=(const CTestDataDirs&) = delete;

    // Appends a line to the database file mime/<file> ("globs2", "icons", "generic-icons").
    void AddMimeLine(const std::string& file, const std::string& line);
    // Writes icons/<theme>/<size>x<size>/mimetypes/<name>.png filled with one colour.
    void AddIcon(const std::string& theme, int size, const std::string& name, COLORREF colour);
    // Creates an empty file (any name) in a folder beside the data directory; answers its path.
    std::string MakeFile(const std::string& name);

    const std::filesystem::path& Root() const { return m_root; }

private:
    std::filesystem::path m_root;
    std::string m_oldHome;
    std::string m_oldDirs;
    bool m_hadHome = false;
    bool m_hadDirs = false;
};
