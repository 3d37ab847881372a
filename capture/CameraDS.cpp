#include "capture/CameraDS.h"

#include "app/Log.h"
#include "capture/CameraDeviceFactory.h"
#include "capture/CameraSource.h"

CCameraDS::~CCameraDS() {
    Close();
}

int CCameraDS::CountDevices() {
    std::vector<std::string> errors;
    const auto sources = CountCameraSources(&errors);
    for (const std::string& error : errors) {
        LogMessage("camera list: %s\n", error.c_str());
    }
    return static_cast<int>(sources.size());
}

bool CCameraDS::Open(int cameraIndex, int width, int height) {
    Close();
    const std::optional<CameraSource> source = CountedCameraSource(cameraIndex);
    if (!source) {
        return false;
    }
    std::unique_ptr<ICameraDevice> device = MakeCameraDevice(*source);
    if (!device->Open(width, height)) {
        return false;
    }
    m_device = std::move(device);
    m_width = m_device->Width();
    m_height = m_device->Height();
    m_connected = true;
    return true;
}

bool CCameraDS::GrabFrame(cv::Mat& frame) {
    return m_connected && m_device->Grab(frame);
}

void CCameraDS::Close() {
    m_device.reset();
    m_connected = false;
    m_width = 0;
    m_height = 0;
}
