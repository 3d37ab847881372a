// Keeps stream files on the disk while they are written: a thread of its own syncs the data of
// every file it was given (fdatasync) every two seconds, and once more when the file is
// finished. A power cut then loses seconds of recording rather than the half minute the page
// cache may hold, and the writer, the dispatch thread that serves every camera, never waits
// for the disk.
#pragma once

#include "capture/FileDescriptor.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class CFileSyncer {
public:
    static constexpr std::chrono::seconds kInterval{2};

    // The syncer of the process, made when first asked for; it ends, after syncing what it
    // still has, when its last holder lets it go.
    static std::shared_ptr<CFileSyncer> Shared();

    CFileSyncer();
    ~CFileSyncer();
    CFileSyncer(const CFileSyncer&) = delete;
    CFileSyncer& operator=(const CFileSyncer&) = delete;

    // Starts syncing the file open as `fd`. The syncer keeps a duplicate of the descriptor, so
    // the caller may close its own at any time. Answers the file's id; negative (logged) when
    // the descriptor cannot be duplicated.
    int Add(int fd, const std::string& name);
    // Syncs the file once more, at once, then lets it go.
    void Finish(int id);
    // Syncs made so far (of all files), and files still held.
    std::uint64_t Syncs() const { return m_syncs.load(); }
    int Files() const;

private:
    struct File {
        CFileDescriptor fd;
        std::string name;
        bool finished = false;
        // A failing sync is logged once per file (a failing disk would fail every round).
        bool failed = false;
    };

    void Run();

    mutable std::mutex m_lock;
    // Guarded by m_lock: the files by id, whether a finished file waits for its last sync, and
    // the stop request.
    std::map<int, File> m_files;
    bool m_finishPending = false;
    bool m_stop = false;
    int m_nextId = 0;
    std::condition_variable m_wake;
    std::atomic<std::uint64_t> m_syncs{0};
    std::thread m_thread;
};
