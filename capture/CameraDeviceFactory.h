// The camera behind a camera source: a synthetic test camera, an emulated webcam driven through
// the V4L2 camera code, or a V4L2 device through libv4l2.
#pragma once

#include "capture/CameraDevice.h"
#include "capture/CameraSource.h"

#include <memory>

std::unique_ptr<ICameraDevice> MakeCameraDevice(const CameraSource& source);
