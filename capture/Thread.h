// The base of the recording pipeline's worker threads. A thread object lives for the whole
// process and may be started again after its previous run has ended; it never has two OS
// threads at a time.
#pragma once

#include <atomic>
#include <mutex>
#include <thread>

class Runnable {
public:
    virtual ~Runnable() = default;
    virtual void run() = 0;
};

// Start, Join and destruction are called from one controlling thread (the UI thread).
// The started flag is what the running body polls to learn that it should finish.
class CThread : public Runnable {
public:
    CThread() = default;
    // Waits for a run that is still going; derived classes end their run (clear the flag and
    // wake the body) in their own destructors, before their members go.
    ~CThread() override;
    CThread(const CThread&) = delete;
    CThread& operator=(const CThread&) = delete;

    // Runs run() on a new OS thread. True at once, changing nothing, while the started flag is
    // set. A previous run whose flag was cleared but which has not yet returned is never waited
    // for: its thread runs run() again, with the flag set, as soon as it has returned, so two
    // runs never overlap on one object and the caller never blocks. False when no thread can
    // be created.
    bool Start();
    // Asks the running body to finish (it notices at its next check) and withdraws a start
    // that waits for the previous run.
    void ClearStarted();
    bool IsStarted() const { return m_started.load(); }
    // True from Start until run() has returned with no further start waiting.
    bool IsRunning() const { return m_running.load(); }
    // Waits until the current run, and a start waiting behind it, have returned.
    void Join();

private:
    // The OS thread's body: run(), again for as long as a start waited for it.
    void RunWhileStarted();

    std::thread m_thread;
    std::atomic<bool> m_started{false};
    std::atomic<bool> m_running{false};
    // Orders a start behind a finishing run against that run's end: guards m_restart, and the
    // clearing of m_running by the thread.
    std::mutex m_lock;
    bool m_restart = false; // guarded by m_lock
};
