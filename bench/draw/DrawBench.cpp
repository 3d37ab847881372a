// Drawing throughput on a 1024 x 768 surface, next to memcpy of the same bytes (the physical
// limit on this machine), and text drawing with a warm glyph cache.
#include "platform/draw/Gdi.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr std::int64_t kPixels = std::int64_t(kWidth) * kHeight;

// A 32-bit bitmap selected into its own memory context.
struct CSurface {
    explicit CSurface(int width = kWidth, int height = kHeight)
        : bitmap(CreateCompatibleBitmap(nullptr, width, height)) {
        previous = SelectObject(dc, bitmap.Get());
    }
    ~CSurface() { SelectObject(dc, previous); }
    CMemoryDC dc;
    CGdiHandle<HBITMAP> bitmap;
    HBITMAP previous = nullptr;
};

void CountPixels(benchmark::State& state, std::int64_t pixelsPerIteration) {
    state.counters["pixels/s"] = benchmark::Counter(double(pixelsPerIteration),
                                                    benchmark::Counter::kIsIterationInvariantRate);
    state.SetBytesProcessed(state.iterations() * pixelsPerIteration * 4);
}

void Memcpy(benchmark::State& state) {
    std::vector<std::uint32_t> from(kPixels, 0x123456), to(kPixels);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), std::size_t(kPixels) * 4);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    CountPixels(state, kPixels);
}
BENCHMARK(Memcpy);

void OpaqueFill(benchmark::State& state) {
    CSurface surface;
    CGdiHandle<HBRUSH> brush(CreateSolidBrush(RGB(110, 110, 110)));
    const RECT all{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        FillRect(surface.dc, &all, brush);
        benchmark::ClobberMemory();
    }
    CountPixels(state, kPixels);
}
BENCHMARK(OpaqueFill);

void CopyBitBlt(benchmark::State& state) {
    CSurface from, to;
    for (auto _ : state) {
        BitBlt(to.dc, 0, 0, kWidth, kHeight, from.dc, 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
    CountPixels(state, kPixels);
}
BENCHMARK(CopyBitBlt);

// The video wall's path: a 24-bit bottom-up picture filled with SetDIBits, then copied to a
// 32-bit surface.
void WallPictureSetDIBitsAndBitBlt(benchmark::State& state) {
    BITMAPINFO info;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = kHeight;
    info.bmiHeader.biBitCount = 24;
    CGdiHandle<HBITMAP> picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr));
    std::vector<std::uint8_t> rows(std::size_t(DibStride(kWidth, 24)) * kHeight, 0x5A);
    CMemoryDC source;
    HBITMAP previous = SelectObject(source, picture.Get());
    CSurface to;
    for (auto _ : state) {
        SetDIBits(nullptr, picture, 0, kHeight, rows.data(), &info, DIB_RGB_COLORS);
        BitBlt(to.dc, 0, 0, kWidth, kHeight, source, 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
    CountPixels(state, kPixels);
    SelectObject(source, previous);
}
BENCHMARK(WallPictureSetDIBitsAndBitBlt);

void CopyStretchBlt(benchmark::State& state) {
    CSurface from(kWidth / 2, kHeight / 2), to;
    for (auto _ : state) {
        StretchBlt(to.dc, 0, 0, kWidth, kHeight, from.dc, 0, 0, kWidth / 2, kHeight / 2, SRCCOPY);
        benchmark::ClobberMemory();
    }
    CountPixels(state, kPixels);
}
BENCHMARK(CopyStretchBlt);

void StraightAlphaBlend(benchmark::State& state) {
    BITMAPINFO info;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    CGdiHandle<HBITMAP> image(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits));
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (std::int64_t i = 0; i < kPixels; ++i) {
        pixels[i] = (std::uint32_t(i * 7) << 24) | 0x336699; // every alpha level
    }
    CMemoryDC source;
    HBITMAP previous = SelectObject(source, image.Get());
    CSurface to;
    BLENDFUNCTION blend;
    blend.AlphaFormat = AC_SRC_ALPHA;
    for (auto _ : state) {
        AlphaBlend(to.dc, 0, 0, kWidth, kHeight, source, 0, 0, kWidth, kHeight, blend);
        benchmark::ClobberMemory();
    }
    CountPixels(state, kPixels);
    SelectObject(source, previous);
}
BENCHMARK(StraightAlphaBlend);

void MixedLineDrawText(benchmark::State& state) {
    CSurface surface(640, 40);
    LOGFONT lf;
    lf.lfHeight = -12;
    lf.lfFaceName = L"微软雅黑";
    CGdiHandle<HFONT> font(CreateFontIndirect(&lf));
    SelectObject(surface.dc, font.Get());
    SetBkMode(surface.dc, TRANSPARENT);
    const WString line = L"通道1 正常 Recording 2026-12-10 12:00:05 没有检测到摄像头！fps 25.0";
    RECT box{0, 0, 640, 40};
    DrawText(surface.dc, line, &box, DT_SINGLELINE | DT_VCENTER); // warms the glyph cache
    for (auto _ : state) {
        RECT r = box;
        DrawText(surface.dc, line, &r, DT_SINGLELINE | DT_VCENTER);
        benchmark::ClobberMemory();
    }
    state.counters["glyphs/s"] =
        benchmark::Counter(double(line.size()), benchmark::Counter::kIsIterationInvariantRate);
    SelectObject(surface.dc, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}
BENCHMARK(MixedLineDrawText);

} // namespace

BENCHMARK_MAIN();
