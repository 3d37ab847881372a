#include "capture/VideoThread.h"

#include "capture/Dispatch.h"
#include "capture/StreamFileName.h"
#include "settings/DefaultVideoFolder.h"
#include "settings/RecordingFolder.h"
#include "settings/TextEncoding.h"

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

// Each queued frame is followed by this pause, which keeps a slot below 50 frames per second.
constexpr std::chrono::milliseconds kPauseAfterFrame{20};

} // namespace

CVideoThread::CVideoThread() : m_clock(SystemWallClock()) {}

CVideoThread::~CVideoThread() {
    ClearStarted();
    if (CDispatch* dispatch = m_dispatch.load()) {
        dispatch->WakeWaiters();
    }
    Join();
}

void CVideoThread::SetSession(CDispatch* dispatch, int cameraIndex, int cameraCount) {
    m_dispatch.store(dispatch);
    m_cameraIndex.store(cameraIndex);
    m_cameraCount.store(cameraCount);
}

std::string CVideoThread::FileName() const {
    std::lock_guard lock(m_fileNameLock);
    return m_fileName;
}

void CVideoThread::run() {
    {
        std::lock_guard lock(m_fileNameLock);
        m_fileName.clear();
    }
    CDispatch* dispatch = m_dispatch.load();
    const int cameraIndex = m_cameraIndex.load();
    if (!dispatch) {
        return;
    }
    // The previous session's items may still wait in the queue; the encoder and its file are
    // touched again only after the dispatch thread has finished them.
    if (!dispatch->WaitUntilFinished(cameraIndex, *this)) {
        return;
    }
    if (!OpenSession(cameraIndex)) {
        return;
    }
    Capture(*dispatch, cameraIndex);
    m_camera.Close();
}

bool CVideoThread::OpenSession(int cameraIndex) {
    if (!m_camera.Open(cameraIndex, 640, 480) && !m_camera.Open(cameraIndex, 320, 240)) {
        return false;
    }
    if (!m_encoder.Init(AV_CODEC_ID_H264, m_camera.FrameWidth(), m_camera.FrameHeight(),
                        m_cameraCount.load())) {
        m_camera.Close();
        return false;
    }
    const std::string name = BuildFileName(cameraIndex);
    // The probe frame is not recorded; its item goes back to the pool with an image of the
    // camera's size, ready for the first frame.
    const FrameWorkItemPtr probe = m_frames.Acquire();
    // Nothing will reach the dispatch thread, so the encoder and the file are released here.
    if (name.empty() || !m_encoder.OpenFile(name) || !m_camera.GrabFrame(probe->image)) {
        m_encoder.Close();
        m_camera.Close();
        return false;
    }
    return true;
}

std::string CVideoThread::BuildFileName(int cameraIndex) {
    const CRecordingFolder* folderSource = m_folder.load();
    std::string folder = folderSource ? ToUtf8(folderSource->VideoPath()) : std::string();
    if (folder.empty()) {
        // Without a home folder there is no default; the root of the file system is never one.
        folder = DefaultVideoFolder();
        if (folder.empty()) {
            return {};
        }
        std::error_code error;
        std::filesystem::create_directories(folder, error);
    }
    std::string name = UnusedStreamFileName(folder, cameraIndex, LocalTime(m_clock()));
    std::lock_guard lock(m_fileNameLock);
    m_fileName = name;
    return name;
}

void CVideoThread::Capture(CDispatch& dispatch, int cameraIndex) {
    m_overlay.Begin(m_clock());
    while (true) {
        FrameWorkItemPtr item = m_frames.Acquire();
        item->encoder = &m_encoder;
        item->cameraIndex = cameraIndex;
        item->cameraCount = m_cameraCount.load();
        // A camera that stopped delivering, or an encoder that failed (the dispatch thread has
        // finished its file already), ends the session with a final item without an image, on
        // which the dispatch thread finishes whatever is still open.
        if (m_encoder.HasFailed() || !m_camera.GrabFrame(item->image)) {
            item->image.release();
            item->final = true;
            dispatch.Push(std::move(item));
            return;
        }
        m_overlay.Stamp(item->image, cameraIndex, m_clock());
        item->final = !IsStarted();
        const bool final = item->final;
        dispatch.Push(std::move(item));
        if (final) {
            return;
        }
        std::this_thread::sleep_for(kPauseAfterFrame);
        dispatch.WaitForRoom(cameraIndex, *this);
        m_overlay.FrameTaken(m_clock());
    }
}
