#include "capture/YuvConversion.h"

#include <opencv2/core/hal/intrin.hpp>

#include <algorithm>

namespace {

// OpenCV's fixed-point BGR-to-YUV: Y = (1868 B + 9617 G + 4899 R) / 2^14, U = 128 + 0.492 (B - Y)
// and V = 128 + 0.877 (R - Y) in units of 2^-14, each rounded to nearest and saturated.
constexpr int kShift = 14;
constexpr int kRound = 1 << (kShift - 1);
constexpr int kBlueToY = 1868;
constexpr int kGreenToY = 9617;
constexpr int kRedToY = 4899;
constexpr int kBlueToU = 8061;
constexpr int kRedToV = 14369;
constexpr int kChromaBias = (128 << kShift) + kRound;

int LumaOf(const std::uint8_t* bgr) {
    return (bgr[0] * kBlueToY + bgr[1] * kGreenToY + bgr[2] * kRedToY + kRound) >> kShift;
}

std::uint8_t ChromaOf(int colour, int luma, int factor) {
    return static_cast<std::uint8_t>(
        std::clamp(((colour - luma) * factor + kChromaBias) >> kShift, 0, 255));
}

// One image row: its luma, and when `u` is set the chroma of its even pixels.
void ConvertRow(const std::uint8_t* bgr, int width, std::uint8_t* y, std::uint8_t* u,
                std::uint8_t* v) {
    int j = 0;
#if CV_SIMD128
    // Sixteen pixels at a time; each sum is formed as 16-bit pairs multiplied and added into 32
    // bits, which is exact for these coefficients.
    const cv::v_int16x8 blueGreen =
        cv::v_reinterpret_as_s16(cv::v_setall_u32(kBlueToY | (kGreenToY << 16)));
    const cv::v_int16x8 redRound =
        cv::v_reinterpret_as_s16(cv::v_setall_u32(kRedToY | (kRound << 16)));
    const cv::v_int16x8 one = cv::v_setall_s16(1);
    const cv::v_int16x8 blueToU = cv::v_setall_s16(kBlueToU);
    const cv::v_int16x8 redToV = cv::v_setall_s16(kRedToV);
    const cv::v_int32x4 chromaBias = cv::v_setall_s32(kChromaBias);
    const cv::v_uint16x8 evenBytes = cv::v_setall_u16(0x00FF);
    const auto luma = [&](const cv::v_uint16x8& b, const cv::v_uint16x8& g,
                          const cv::v_uint16x8& r) {
        cv::v_int16x8 bg0, bg1, r0, r1;
        cv::v_zip(cv::v_reinterpret_as_s16(b), cv::v_reinterpret_as_s16(g), bg0, bg1);
        cv::v_zip(cv::v_reinterpret_as_s16(r), one, r0, r1);
        return cv::v_pack((cv::v_dotprod(bg0, blueGreen) + cv::v_dotprod(r0, redRound)) >> kShift,
                          (cv::v_dotprod(bg1, blueGreen) + cv::v_dotprod(r1, redRound)) >> kShift);
    };
    // The even pixels' values are the low bytes of the 16-bit lanes.
    const auto even = [&](const cv::v_uint8x16& bytes) {
        return cv::v_reinterpret_as_s16(cv::v_reinterpret_as_u16(bytes) & evenBytes);
    };
    const auto chroma = [&](const cv::v_int16x8& colour, const cv::v_int16x8& lumaEven,
                            const cv::v_int16x8& factor) {
        cv::v_int32x4 low, high;
        cv::v_mul_expand(colour - lumaEven, factor, low, high);
        return cv::v_pack_u(cv::v_pack((low + chromaBias) >> kShift, (high + chromaBias) >> kShift),
                            cv::v_setzero_s16());
    };
    for (; j + 16 <= width; j += 16) {
        cv::v_uint8x16 b, g, r;
        cv::v_load_deinterleave(bgr + 3 * j, b, g, r);
        cv::v_uint16x8 b0, b1, g0, g1, r0, r1;
        cv::v_expand(b, b0, b1);
        cv::v_expand(g, g0, g1);
        cv::v_expand(r, r0, r1);
        const cv::v_uint8x16 lumas = cv::v_pack_u(luma(b0, g0, r0), luma(b1, g1, r1));
        cv::v_store(y + j, lumas);
        if (u) {
            const cv::v_int16x8 lumaEven = even(lumas);
            cv::v_store_low(u + j / 2, chroma(even(b), lumaEven, blueToU));
            cv::v_store_low(v + j / 2, chroma(even(r), lumaEven, redToV));
        }
    }
#endif
    for (; j < width; ++j) {
        const std::uint8_t* pixel = bgr + 3 * j;
        const int luma = LumaOf(pixel);
        y[j] = static_cast<std::uint8_t>(luma);
        if (u && j % 2 == 0) {
            u[j / 2] = ChromaOf(pixel[0], luma, kBlueToU);
            v[j / 2] = ChromaOf(pixel[2], luma, kRedToV);
        }
    }
}

} // namespace

void ConvertBgrToYuv420(const cv::Mat& bgr, const YuvPlanes& planes) {
    const int height = bgr.rows;
    for (int i = 0; i < height; ++i) {
        // Writing chroma for every row in order would leave each chroma row with the values of
        // the last image row that maps to it, so only that row's chroma is computed.
        const bool chromaRow = i % 2 == 1 || i == height - 1;
        const std::ptrdiff_t chromaOffset = static_cast<std::ptrdiff_t>(i / 2);
        ConvertRow(bgr.ptr<std::uint8_t>(i), bgr.cols,
                   planes.data[0] + static_cast<std::ptrdiff_t>(i) * planes.lineSize[0],
                   chromaRow ? planes.data[1] + chromaOffset * planes.lineSize[1] : nullptr,
                   chromaRow ? planes.data[2] + chromaOffset * planes.lineSize[2] : nullptr);
    }
}
