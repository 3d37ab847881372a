#include "EncoderDelay.h"

#include "H264Decoding.h"
#include "TestFrames.h"
#include "capture/StreamEncoder.h"

#include <unistd.h>

#include <filesystem>

int StreamEncoderDelay(cv::Size size) {
    constexpr int kFrames = 60;
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("vistrel-encoder-delay-" + std::to_string(getpid()));
    CStreamEncoder encoder;
    if (!encoder.Init(AV_CODEC_ID_H264, size.width, size.height) ||
        !encoder.OpenFile(file.string())) {
        return -1;
    }
    for (int i = 0; i < kFrames; ++i) {
        if (encoder.EncodeFrame(MovingFrame(i, size)) != 0) {
            return -1;
        }
    }
    // The file holds every packet handed out so far; the frames still missing are the delay.
    const auto decoded = static_cast<int>(DecodeH264File(file.string()).pictures.size());
    encoder.Close();
    std::filesystem::remove(file);
    return kFrames - decoded;
}
