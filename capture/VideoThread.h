// One camera's recording loop: opens the camera (640 x 480, else 320 x 240), prepares the
// encoder and the stream file, then grabs every frame into a work item of its own pool, stamps
// the overlay on it and queues it for the dispatch thread, until the started flag is cleared;
// then it queues one last item marked final. The dispatch thread finishes the file on that item. An
// encoding error ends the session the same way, at the next frame.
#pragma once

#include "capture/CameraDS.h"
#include "capture/FrameOverlay.h"
#include "capture/FramePool.h"
#include "capture/StreamEncoder.h"
#include "capture/Thread.h"
#include "capture/WallClock.h"

#include <atomic>
#include <mutex>
#include <string>

class CDispatch;
class CRecordingFolder;

class CVideoThread : public CThread {
public:
    CVideoThread();
    ~CVideoThread() override;

    // The recording folder to read at each session start; not owned.
    void SetOwner(const CRecordingFolder* folder) { m_folder.store(folder); }
    // The session: the queue to push to, this slot's camera and the number of cameras.
    void SetSession(CDispatch* dispatch, int cameraIndex, int cameraCount);
    // The clock that names the file and stamps the overlay. Set before Start.
    void SetClock(WallClock clock) { m_clock = std::move(clock); }
    // Called once per session when the stream file cannot be created or written. Set before
    // Start.
    void SetFileFailureReport(std::function<void()> report) {
        m_encoder.SetFileFailureReport(std::move(report));
    }

    // The stream file of the current (or last) session; empty until it is named.
    std::string FileName() const;

    void run() override;

private:
    // Opens the camera, the encoder and the file, and takes the probe frame. False, with
    // everything it set up released again, when any of them fails.
    bool OpenSession(int cameraIndex);
    std::string BuildFileName(int cameraIndex);
    void Capture(CDispatch& dispatch, int cameraIndex);

    std::atomic<const CRecordingFolder*> m_folder{nullptr};
    CCameraDS m_camera;
    std::atomic<int> m_cameraIndex{0};
    std::atomic<int> m_cameraCount{0};
    mutable std::mutex m_fileNameLock;
    std::string m_fileName; // guarded by m_fileNameLock
    std::atomic<CDispatch*> m_dispatch{nullptr};
    CStreamEncoder m_encoder;
    // The work items this slot queues; they come back when the dispatch thread is done.
    CFramePool m_frames;
    WallClock m_clock;
    CFrameOverlay m_overlay;
};
