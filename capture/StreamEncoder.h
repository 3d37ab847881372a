// One camera's H.264 stream file: frames converted to YUV 4:2:0, encoded with libx264, and the
// packets written back to back, followed by the end code 00 00 01 B7. The capture thread
// initialises the encoder and opens the file; the dispatch thread encodes, flushes and closes.
// An encoding error ends only this encoder's recording: its file is finished at once and the
// capture thread sees HasFailed and ends the session. Every packet goes to the file as the
// encoder hands it out, and the file syncer puts the file on the disk every few seconds, so a
// crash loses only the frames still inside the encoder, and a power cut a few seconds more.
#pragma once

#include "capture/AvHandles.h"

#include <opencv2/core.hpp>

extern "C" {
#include <libavcodec/avcodec.h>
}

#include "capture/FileDescriptor.h"
#include "capture/FileSyncer.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CStreamEncoder {
public:
    CStreamEncoder() = default;
    ~CStreamEncoder();
    CStreamEncoder(const CStreamEncoder&) = delete;
    CStreamEncoder& operator=(const CStreamEncoder&) = delete;

    // Prepares an encoder for frames of width x height (400 kbit/s, 20 frames per second,
    // GOP 10, one B-frame, YUV 4:2:0, preset "slow" for H.264). `sessionEncoders` is the
    // number of encoders that record at once, which sizes libx264's frame threads (see
    // FrameThreads). True at once, changing nothing, when already initialised.
    bool Init(AVCodecID codecId, int width, int height, int sessionEncoders = 1);
    // Creates the stream file (truncating); false, with a log line and the file failure
    // report, when it cannot be created.
    bool OpenFile(const std::string& path);
    // Called once per stream file, on the thread that meets the failure, when the file cannot
    // be created or a write fails (disk full, folder removed, no permission); the failure is
    // logged besides. Encoding goes on without the file. Set while the encoder is not in use.
    void SetFileFailureReport(std::function<void()> report) {
        m_fileFailureReport = std::move(report);
    }
    // Encodes one 8-bit BGR image of the initialised size and writes the packets that come
    // out. An image of another size is refused with a log line. Answers 0, or the negative
    // libavcodec error code of the step that failed; after a failure the encoder has drained
    // what it could into the file, finished and closed it, released itself and HasFailed is
    // set. Nothing is logged about the failure: the caller knows which camera it belongs to.
    [[nodiscard]] int EncodeFrame(const cv::Mat& image);
    // Drains the delayed packets into the file. Answers and fails as EncodeFrame does.
    [[nodiscard]] int Flush();
    // Writes the end code, closes the file and releases the encoder. Safe in any state, so an
    // early end after Init or OpenFile releases whatever was set up.
    void Close();

    bool IsInitialised() const { return m_initialised; }
    // The last session ended at an encoding error; cleared by the next Init. Read by the
    // capture thread while the dispatch thread encodes.
    bool HasFailed() const { return m_failed.load(); }
    // Test seam: the next send to libavcodec (frame or drain) fails with `error` instead of
    // reaching the codec, as an encoder that broke mid-session would.
    void InjectSendFailure(int error) { m_injectedSendError.store(error); }
    // The time stamp the next frame gets; 0 after each Init.
    std::int64_t FrameIndex() const { return m_frameIndex; }

    static constexpr std::uint8_t kEndCode[4] = {0x00, 0x00, 0x01, 0xB7};

    // libx264's frame threads for each of `encoders` encoders on `cores` cores. One thread
    // feeds every encoder in turn, and an encode call returns while its encoder's other frame
    // threads still work, so each encoder needs only enough of them that, with the feeding
    // thread, all encoders together can keep every core busy: libx264's own default (one and a
    // half per core, for each encoder) would start 48 threads for sixteen cameras on two cores,
    // each holding frames of its own.
    static int FrameThreads(int encoders, int cores);

private:
    int Send(const AVFrame* frame);
    int ReceivePackets(bool draining);
    int Drain();
    int Fail(int error);
    void Write(const void* data, std::size_t size);
    void FileFailed(const char* what, int error);
    void CloseFile();

    const AVCodec* m_codec = nullptr;
    AvCodecContextPtr m_context;
    std::int64_t m_frameIndex = 0;
    CFileDescriptor m_file;
    std::string m_fileName;
    // A failed write is logged and reported once per file; later writes to that file are
    // skipped.
    bool m_writeFailed = false;
    // The bytes of whole packets in the file.
    std::int64_t m_fileSize = 0;
    std::shared_ptr<CFileSyncer> m_syncer;
    int m_syncId = -1;
    std::function<void()> m_fileFailureReport;
    AvFramePtr m_frame;
    AvPacketPtr m_packet;
    bool m_initialised = false;
    std::atomic<bool> m_failed{false};
    std::atomic<int> m_injectedSendError{0};
};
