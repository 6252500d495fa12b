#include "host/audio/ogg_pages.h"

#include <cstring>

namespace {

const std::size_t kPageHeaderSize = 27;  // up to and including the segment count
const std::uint8_t kFirstPageFlag = 0x02;
const std::uint8_t kLastPageFlag = 0x04;

}  // namespace

bool IsCompleteOggStream(const std::uint8_t* data, std::size_t size) {
    std::size_t position = 0;
    bool first = true;
    std::uint8_t flags = 0;
    while (position < size) {
        const std::uint8_t* page = data + position;
        std::size_t left = size - position;
        if (left < kPageHeaderSize || std::memcmp(page, "OggS", 4) != 0 || page[4] != 0) {
            return false;
        }
        flags = page[5];
        if (first && !(flags & kFirstPageFlag)) {
            return false;
        }
        std::size_t segments = page[26];
        if (left < kPageHeaderSize + segments) {
            return false;
        }
        std::size_t body = 0;
        for (std::size_t i = 0; i < segments; ++i) {
            body += page[kPageHeaderSize + i];
        }
        std::size_t pageSize = kPageHeaderSize + segments + body;
        if (left < pageSize) {
            return false;
        }
        position += pageSize;
        first = false;
    }
    return !first && (flags & kLastPageFlag);
}
