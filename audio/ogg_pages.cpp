#include "audio/ogg_pages.h"

#include <cstring>

namespace {

const std::size_t PageHeaderSize = 27;  // up to and including the segment count
const std::uint8_t FirstPageFlag = 0x02;
const std::uint8_t LastPageFlag = 0x04;

}  // namespace

OggPageWalker::OggPageWalker(const std::uint8_t* bytes, std::size_t byteCount)
    : data(bytes), size(byteCount), position(0) {}

bool OggPageWalker::Next(OggPage* page) {
    const std::uint8_t* start = data + position;
    std::size_t left = size - position;
    if (left < PageHeaderSize || std::memcmp(start, "OggS", 4) != 0 || start[4] != 0) {
        return false;
    }
    std::size_t segments = start[26];
    if (left < PageHeaderSize + segments) {
        return false;
    }
    std::size_t bodySize = 0;
    for (std::size_t i = 0; i < segments; ++i) {
        bodySize += start[PageHeaderSize + i];
    }
    std::size_t pageSize = PageHeaderSize + segments + bodySize;
    if (left < pageSize) {
        return false;
    }
    page->flags = start[5];
    page->segmentSizes = start + PageHeaderSize;
    page->segmentCount = segments;
    page->body = start + PageHeaderSize + segments;
    position += pageSize;
    return true;
}

bool IsCompleteOggStream(const std::uint8_t* data, std::size_t size) {
    OggPageWalker pages(data, size);
    OggPage page;
    bool any = false;
    std::uint8_t lastFlags = 0;
    while (pages.Next(&page)) {
        if (!any && !(page.flags & FirstPageFlag)) {
            return false;
        }
        any = true;
        lastFlags = page.flags;
    }
    return any && pages.ReachedEnd() && (lastFlags & LastPageFlag);
}
