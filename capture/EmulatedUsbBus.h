// The isochronous bandwidth of one emulated USB 2.0 bus, which the webcams on it share. A
// streaming webcam holds an alternate setting of its interface that carries its payload every
// 125 us microframe; periodic transfers may take at most 80 % of a microframe, 6000 bytes.
// Uncompressed 640 x 480 video at 30 frames per second needs the 3072-byte setting, so a
// second such camera does not fit and its STREAMON fails with ENOSPC.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

class CEmulatedUsbBus {
public:
    static constexpr int kPeriodicBytesPerMicroframe = 6000;

    // The bytes per microframe of the smallest alternate setting (1024, 2048 or 3072 bytes)
    // that carries `bytesPerSecond`; 0 when none does.
    static int AlternateSetting(std::int64_t bytesPerSecond);

    // Takes `bytesPerMicroframe` of the bus; false when that no longer fits.
    bool Reserve(int bytesPerMicroframe);
    void Release(int bytesPerMicroframe);
    int Reserved() const { return m_reserved.load(); }

private:
    std::atomic<int> m_reserved{0};
};

// The bus of this number shared by every emulated camera of the process that names it; it
// lasts as long as a camera holds it.
std::shared_ptr<CEmulatedUsbBus> SharedUsbBus(int number);
