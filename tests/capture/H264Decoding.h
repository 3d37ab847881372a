// Test helper: decodes a raw H.264 stream file back with libavcodec.
#pragma once

#include <opencv2/core.hpp>

#include <cstdint>
#include <string>
#include <vector>

struct DecodedPicture {
    cv::Mat y; // full size
    cv::Mat u; // half size
    cv::Mat v;
};

struct DecodedStream {
    bool opened = false;
    // Decoder calls that reported an error.
    int errors = 0;
    std::vector<DecodedPicture> pictures;
};

DecodedStream DecodeH264File(const std::string& path);
std::vector<std::uint8_t> ReadFileBytes(const std::string& path);
bool EndsWithEndCode(const std::vector<std::uint8_t>& bytes);
