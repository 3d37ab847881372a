#include "capture/FileSyncer.h"

#include "app/Log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>
#include <vector>

std::shared_ptr<CFileSyncer> CFileSyncer::Shared() {
    // Never destroyed: capture threads may still open files while the process exits.
    static auto* const lock = new std::mutex;
    static auto* const current = new std::weak_ptr<CFileSyncer>;
    std::lock_guard guard(*lock);
    std::shared_ptr<CFileSyncer> syncer = current->lock();
    if (!syncer) {
        syncer = std::make_shared<CFileSyncer>();
        *current = syncer;
    }
    return syncer;
}

CFileSyncer::CFileSyncer() : m_thread([this] { Run(); }) {}

CFileSyncer::~CFileSyncer() {
    {
        std::lock_guard lock(m_lock);
        m_stop = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

int CFileSyncer::Add(int fd, const std::string& name) {
    CFileDescriptor duplicate(fcntl(fd, F_DUPFD_CLOEXEC, 0));
    if (!duplicate) {
        LogMessage("Could not keep stream file %s for syncing: %s\n", name.c_str(),
                   std::error_code(errno, std::generic_category()).message().c_str());
        return -1;
    }
    std::lock_guard lock(m_lock);
    const int id = m_nextId++;
    m_files[id] = File{std::move(duplicate), name, false};
    return id;
}

void CFileSyncer::Finish(int id) {
    {
        std::lock_guard lock(m_lock);
        const auto file = m_files.find(id);
        if (file == m_files.end()) {
            return;
        }
        file->second.finished = true;
        m_finishPending = true;
    }
    m_wake.notify_one();
}

int CFileSyncer::Files() const {
    std::lock_guard lock(m_lock);
    return static_cast<int>(m_files.size());
}

void CFileSyncer::Run() {
    std::unique_lock lock(m_lock);
    while (true) {
        m_wake.wait_for(lock, kInterval, [this] { return m_stop || m_finishPending; });
        m_finishPending = false;
        const bool stopping = m_stop;
        // Only this thread removes files or touches their failure flags, so it can sync them
        // without the lock. A file finished during the round is synced again in the next one.
        struct Entry {
            int id;
            File* file;
            bool finished;
        };
        std::vector<Entry> round;
        for (auto& [id, file] : m_files) {
            round.push_back({id, &file, file.finished});
        }
        lock.unlock();
        for (const Entry& entry : round) {
            if (fdatasync(entry.file->fd.Get()) != 0 && !std::exchange(entry.file->failed, true)) {
                LogMessage("Could not sync stream file %s: %s\n", entry.file->name.c_str(),
                           std::error_code(errno, std::generic_category()).message().c_str());
            }
            m_syncs.fetch_add(1);
        }
        lock.lock();
        std::vector<File> released;
        for (const Entry& entry : round) {
            if (stopping || entry.finished) {
                released.push_back(std::move(m_files.at(entry.id)));
                m_files.erase(entry.id);
            }
        }
        lock.unlock();
        released.clear(); // closes the descriptors without the lock
        lock.lock();
        if (stopping) {
            return;
        }
    }
}
