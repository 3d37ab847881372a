// libFuzzer entry for the settings file: whatever a setting.xml holds, loading it neither
// crashes nor reads outside it, and writing a folder into it gives a file that loads that
// folder back.
#include "settings/RecordingFolder.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

std::string g_settingFile;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // In memory where the system offers it: every write of the settings file is synced.
    char inMemory[] = "/dev/shm/vistrel-setting-fuzz-XXXXXX";
    char onDisk[] = "/tmp/vistrel-setting-fuzz-XXXXXX";
    const char* folder = mkdtemp(inMemory);
    if (!folder) {
        folder = mkdtemp(onDisk);
    }
    if (!folder) {
        std::abort();
    }
    g_settingFile = std::string(folder) + "/setting.xml";
    std::atexit(
        [] { std::filesystem::remove_all(std::filesystem::path(g_settingFile).parent_path()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(g_settingFile.c_str(), "wb");
    if (!file || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        std::abort();
    }
    CRecordingFolder folder(g_settingFile);
    folder.Load();

    const WString written = L"/media/录像 <&\"'>";
    folder.SetVideoPath(written);
    if (folder.WriteFolder() == CRecordingFolder::WriteResult::Failed) {
        std::abort();
    }
    CRecordingFolder reread(g_settingFile);
    if (!reread.Load() || reread.VideoPath() != written) {
        std::abort();
    }
    return 0;
}
