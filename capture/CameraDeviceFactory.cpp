#include "capture/CameraDeviceFactory.h"

#include "capture/EmulatedV4l2.h"
#include "capture/LibV4l2Api.h"
#include "capture/TestCamera.h"
#include "capture/V4l2Camera.h"

std::unique_ptr<ICameraDevice> MakeCameraDevice(const CameraSource& source) {
    if (source.emulated) {
        // Each opening meets the webcam afresh, as a test camera does; only the bus, and so
        // the bandwidth other emulated cameras hold, is shared.
        auto emulator = std::make_shared<CEmulatedV4l2>(CEmulatedClock::Kind::Real);
        emulator->AddCamera(source.devicePath, *source.emulated,
                            source.usbBus >= 0 ? SharedUsbBus(source.usbBus) : nullptr);
        return std::make_unique<CV4l2Camera>(source.devicePath, emulator);
    }
    if (source.devicePath.empty()) {
        return std::make_unique<CTestCamera>(source);
    }
    return std::make_unique<CV4l2Camera>(source.devicePath, CLibV4l2Api::Instance());
}
