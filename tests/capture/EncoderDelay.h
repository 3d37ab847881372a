// Test helper: how many frames the stream encoder holds back before their packets come out,
// measured on this machine (libx264's frame threads, and so the delay, grow with its cores).
#pragma once

#include <opencv2/core.hpp>

int StreamEncoderDelay(cv::Size size);
