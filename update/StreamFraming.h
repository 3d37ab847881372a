// Cutting a framed stream: frames back to back, each a length byte N (0 to 127), a serialized
// common.header of N bytes (MsgType, MsgSize), then MsgSize payload bytes.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

struct StreamFrame {
    std::int32_t msgType;
    // Points into the cut block.
    std::string_view payload;
};

// The frames of `block` in stream order. The cut ends at the first frame that does not fit
// in what remains, whose header does not parse, or whose length byte or MsgSize is negative;
// that frame and everything after it are dropped. Nothing outside the block is read.
std::vector<StreamFrame> CutStream(std::string_view block);
