// The name of a camera's stream file for one session: "<folder>/通道<camera>_YYYYMMDD-HHMMSS.avi"
// (通道 means channel), from the local time the session started. The content is a raw H.264
// stream despite the extension.
#pragma once

#include <ctime>
#include <string>

// Empty when the name would not fit in 1023 bytes.
std::string StreamFileName(const std::string& folder, int cameraIndex, const std::tm& localTime);

// The stream file name of a new session that does not overwrite an earlier recording: the name
// above, or, when a file of that name exists (a session stopped and started again within the
// same second), the first free one of "..._2.avi", "..._3.avi" and so on. Empty when none fits.
std::string UnusedStreamFileName(const std::string& folder, int cameraIndex,
                                 const std::tm& localTime);
