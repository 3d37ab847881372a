#include "update/StreamFraming.h"

#include "update/header.pb.h"

std::vector<StreamFrame> CutStream(std::string_view block) {
    std::vector<StreamFrame> frames;
    common::header header;
    while (!block.empty()) {
        const int headerSize = static_cast<std::int8_t>(block.front());
        if (headerSize < 0 || block.size() - 1 < static_cast<std::size_t>(headerSize)) {
            break;
        }
        // Parsed partially and then checked, so that bad outside input is not logged.
        if (!header.ParsePartialFromArray(block.data() + 1, headerSize) ||
            !header.IsInitialized()) {
            break;
        }
        block.remove_prefix(1 + headerSize);
        if (header.msgsize() < 0 || block.size() < static_cast<std::size_t>(header.msgsize())) {
            break;
        }
        frames.push_back({header.msgtype(), block.substr(0, header.msgsize())});
        block.remove_prefix(header.msgsize());
    }
    return frames;
}
