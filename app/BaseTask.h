// A task for the UI task runner: reference-counted, since the poster and the task thread hold
// it at the same time, and numbered in posting order by the runner.
#pragma once

#include <atomic>
#include <memory>

namespace conew {

class IBaseTask {
public:
    // The completion states handed to Complete after run().
    static constexpr int kFailed = 1;
    static constexpr int kSucceeded = 3;

    IBaseTask(const IBaseTask&) = delete;
    IBaseTask& operator=(const IBaseTask&) = delete;

    // The work, on the task thread. True on success.
    virtual bool run() = 0;
    // Told the outcome of run(): kSucceeded or kFailed. Does nothing unless overridden.
    virtual void Complete(int state);

    void AddRef() { m_references.fetch_add(1); }
    // Drops one reference; the last one deletes the task.
    void Release();

    // The number the runner gave the task when it was posted; 0 before.
    int Sequence() const { return m_sequence; }
    void SetSequence(int sequence) { m_sequence = sequence; }

protected:
    // The creator holds the first reference.
    IBaseTask() = default;
    virtual ~IBaseTask() = default;

private:
    std::atomic<int> m_references{1};
    // Written by the runner under its lock before the task thread can see the task.
    int m_sequence = 0;
};

// Holds one reference to a task and drops it when it goes.
struct CTaskRelease {
    void operator()(IBaseTask* task) const { task->Release(); }
};
using TaskPtr = std::unique_ptr<IBaseTask, CTaskRelease>;

} // namespace conew
