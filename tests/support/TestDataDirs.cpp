#include "tests/support/TestDataDirs.h"

#include "platform/draw/image/PngWrite.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Remembers an environment variable and sets it; answers whether it was set before.
bool Replace(const char* name, const std::string& value, std::string& old) {
    const char* current = std::getenv(name);
    if (current) {
        old = current;
    }
    setenv(name, value.c_str(), 1);
    return current != nullptr;
}

void Restore(const char* name, bool had, const std::string& old) {
    if (had) {
        setenv(name, old.c_str(), 1);
    } else {
        unsetenv(name);
    }
}

} // namespace

CTestDataDirs::CTestDataDirs()
    : m_root(fs::temp_directory_path() / ("vistrel-data-" + std::to_string(getpid()))) {
    fs::remove_all(m_root);
    fs::create_directories(m_root / "share" / "mime");
    fs::create_directories(m_root / "files");
    // The user's data directory is one that does not exist.
    m_hadHome = Replace("XDG_DATA_HOME", (m_root / "home").string(), m_oldHome);
    m_hadDirs = Replace("XDG_DATA_DIRS", (m_root / "share").string(), m_oldDirs);
}

CTestDataDirs::~CTestDataDirs() {
    Restore("XDG_DATA_HOME", m_hadHome, m_oldHome);
    Restore("XDG_DATA_DIRS", m_hadDirs, m_oldDirs);
    std::error_code error;
    fs::remove_all(m_root, error);
}

void CTestDataDirs::AddMimeLine(const std::string& file, const std::string& line) {
    std::ofstream(m_root / "share" / "mime" / file, std::ios::app) << line << "\n";
}

void CTestDataDirs::AddIcon(const std::string& theme, int size, const std::string& name,
                            COLORREF colour) {
    const fs::path folder = m_root / "share" / "icons" / theme /
                            (std::to_string(size) + "x" + std::to_string(size)) / "mimetypes";
    fs::create_directories(folder);
    std::vector<std::uint8_t> pixels;
    for (int i = 0; i < size * size; ++i) {
        pixels.insert(pixels.end(), {GetBValue(colour), GetGValue(colour), GetRValue(colour)});
    }
    WritePngFile((folder / (name + ".png")).string(), size, size, pixels.data(), 3 * size, 3);
}

std::string CTestDataDirs::MakeFile(const std::string& name) {
    const fs::path path = m_root / "files" / name;
    std::ofstream(path) << "x";
    return path.string();
}
