#include "platform/shell/ShellExecute.h"

#include "platform/base/Utf8.h"

#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>

extern char** environ;

std::intptr_t ShellExecute(HWND, const WString& verb, const WString& file, const WString&,
                           const WString&, int) {
    if (!verb.empty() && verb != L"open") {
        return SE_ERR_NOASSOC;
    }
    if (file.empty()) {
        return SE_ERR_FNF;
    }
    std::string program = "xdg-open";
    std::string target = WideToUtf8(file);
    char* argv[] = {program.data(), target.data(), nullptr};
    pid_t child;
    if (posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
        return SE_ERR_FNF;
    }
    // The opener is not waited for by the caller; a thread of its own collects its exit so it
    // never lingers as a zombie.
    std::thread([child] {
        int status;
        waitpid(child, &status, 0);
    }).detach();
    return 42;
}
