// The CPU a camera that streams MJPEG costs per frame: decoding one 640 x 480 JPEG picture (4:2:2,
// as webcams send it) into the BGR frame the pipeline takes, next to copying an uncompressed
// frame, which is all a camera streaming BGR24 costs. Two pictures: the emulated webcam's (flat
// areas, compresses well) and a textured one with sensor-like noise (what a real scene gives).
#include "capture/EmulatedPicture.h"
#include "capture/MjpegDecoder.h"
#include "capture/MjpegEncoder.h"

#include <benchmark/benchmark.h>
#include <opencv2/imgproc.hpp>

#include <cstring>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

cv::Mat Picture(bool textured) {
    cv::Mat picture(kHeight, kWidth, CV_8UC3);
    PaintEmulatedFrame(picture, 1234);
    if (textured) {
        cv::Mat noise(picture.size(), CV_8UC3);
        cv::randn(noise, cv::Scalar::all(0), cv::Scalar::all(24));
        cv::GaussianBlur(noise, noise, cv::Size(3, 3), 0);
        cv::Mat ramp(picture.size(), CV_8UC3);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                ramp.at<cv::Vec3b>(y, x) = cv::Vec3b(static_cast<uchar>(x * 255 / kWidth),
                                                     static_cast<uchar>((x ^ y) & 0xFF),
                                                     static_cast<uchar>(y * 255 / kHeight));
            }
        }
        cv::addWeighted(picture, 0.5, ramp, 0.5, 0, picture);
        picture += noise;
    }
    return picture;
}

void DecodeMjpeg(benchmark::State& state) {
    CMjpegEncoder encoder(kWidth, kHeight);
    std::vector<std::uint8_t> jpeg;
    if (!encoder.Encode(Picture(state.range(0) != 0), jpeg)) {
        state.SkipWithError("cannot encode the picture");
        return;
    }
    CMjpegDecoder decoder;
    cv::Mat frame;
    for (auto _ : state) {
        if (!decoder.Decode(jpeg.data(), jpeg.size(), kWidth, kHeight, frame)) {
            state.SkipWithError("cannot decode the picture");
            return;
        }
        benchmark::DoNotOptimize(frame.data);
    }
    state.counters["jpeg_bytes"] = static_cast<double>(jpeg.size());
}
BENCHMARK(DecodeMjpeg)->ArgName("textured")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void CopyUncompressed(benchmark::State& state) {
    const cv::Mat source = Picture(false);
    cv::Mat frame(kHeight, kWidth, CV_8UC3);
    for (auto _ : state) {
        std::memcpy(frame.data, source.data, source.total() * source.elemSize());
        benchmark::DoNotOptimize(frame.data);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(CopyUncompressed)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
