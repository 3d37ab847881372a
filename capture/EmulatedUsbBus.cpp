#include "capture/EmulatedUsbBus.h"

#include <map>
#include <mutex>

namespace {

constexpr int kMicroframesPerSecond = 8000;

} // namespace

int CEmulatedUsbBus::AlternateSetting(std::int64_t bytesPerSecond) {
    const std::int64_t perMicroframe =
        (bytesPerSecond + kMicroframesPerSecond - 1) / kMicroframesPerSecond;
    for (const int setting : {1024, 2048, 3072}) {
        if (perMicroframe <= setting) {
            return setting;
        }
    }
    return 0;
}

bool CEmulatedUsbBus::Reserve(int bytesPerMicroframe) {
    if (bytesPerMicroframe <= 0) {
        return false;
    }
    int reserved = m_reserved.load();
    do {
        if (reserved + bytesPerMicroframe > kPeriodicBytesPerMicroframe) {
            return false;
        }
    } while (!m_reserved.compare_exchange_weak(reserved, reserved + bytesPerMicroframe));
    return true;
}

void CEmulatedUsbBus::Release(int bytesPerMicroframe) {
    m_reserved.fetch_sub(bytesPerMicroframe);
}

std::shared_ptr<CEmulatedUsbBus> SharedUsbBus(int number) {
    // Never destroyed: capture threads may still open cameras while the process exits.
    static auto* const lock = new std::mutex;
    static auto* const buses = new std::map<int, std::weak_ptr<CEmulatedUsbBus>>;
    std::lock_guard guard(*lock);
    std::weak_ptr<CEmulatedUsbBus>& slot = (*buses)[number];
    std::shared_ptr<CEmulatedUsbBus> bus = slot.lock();
    if (!bus) {
        bus = std::make_shared<CEmulatedUsbBus>();
        slot = bus;
    }
    return bus;
}
