// The base of the recording pipeline's worker threads. A thread object lives for the whole
// process and may be started again after its previous run has ended; it never has two OS
// threads at a time.
#pragma once

#include <atomic>
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
    // set. A previous run whose flag was cleared but which has not yet returned is waited for
    // first, so two threads never run on one object. False when no thread can be created.
    bool Start();
    // Asks the running body to finish; it notices at its next check.
    void ClearStarted() { m_started.store(false); }
    bool IsStarted() const { return m_started.load(); }
    // True from Start until run() has returned.
    bool IsRunning() const { return m_running.load(); }
    // Waits until the current run, if any, has returned.
    void Join();

private:
    std::thread m_thread;
    std::atomic<bool> m_started{false};
    std::atomic<bool> m_running{false};
};
