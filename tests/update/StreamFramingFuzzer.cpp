// libFuzzer entry for the stream framing: any block is cut without reading outside it, and
// every payload lies inside the block.
#include "update/StreamFraming.h"

#include <google/protobuf/stubs/logging.h>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    google::protobuf::SetLogHandler(nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* begin = reinterpret_cast<const char*>(data);
    for (const StreamFrame& frame : CutStream(std::string_view(begin, size))) {
        if (frame.payload.data() < begin ||
            frame.payload.data() + frame.payload.size() > begin + size) {
            std::abort();
        }
    }
    return 0;
}
