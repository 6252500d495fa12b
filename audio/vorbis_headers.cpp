#include "audio/vorbis_headers.h"

#include <cstring>
#include <vector>

#include "audio/ogg_pages.h"

namespace {

const int CommentPacket = 1;

// The bytes of packet `index` (from 0) of the Ogg pages in `data`; false when
// the pages end first.
bool ReadPacket(const std::uint8_t* data, std::size_t size, int index,
                std::vector<std::uint8_t>* packet) {
    OggPageWalker pages(data, size);
    OggPage page;
    int current = 0;
    packet->clear();
    while (pages.Next(&page)) {
        const std::uint8_t* segment = page.body;
        for (std::size_t i = 0; i < page.segmentCount; ++i) {
            std::size_t length = page.segmentSizes[i];
            if (current == index) {
                packet->insert(packet->end(), segment, segment + length);
            }
            segment += length;
            // A segment shorter than 255 bytes ends its packet.
            if (length < 255) {
                if (current == index) {
                    return true;
                }
                ++current;
            }
        }
    }
    return false;
}

std::uint64_t Read32(const std::vector<std::uint8_t>& packet, std::size_t at) {
    return packet[at] | (packet[at + 1] << 8) | (packet[at + 2] << 16) |
           (static_cast<std::uint64_t>(packet[at + 3]) << 24);
}

}  // namespace

bool HasSoundCommentHeader(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> packet;
    if (!ReadPacket(data, size, CommentPacket, &packet)) {
        return false;
    }
    const std::size_t n = packet.size();
    if (n < 11 || packet[0] != 3 || std::memcmp(packet.data() + 1, "vorbis", 6) != 0) {
        return false;
    }
    std::size_t at = 7;
    std::uint64_t vendor = Read32(packet, at);
    at += 4;
    if (vendor > n - at || n - at - vendor < 4) {
        return false;
    }
    at += vendor;
    std::uint64_t count = Read32(packet, at);
    at += 4;
    for (std::uint64_t i = 0; i < count; ++i) {
        if (n - at < 4) {
            return false;
        }
        std::uint64_t length = Read32(packet, at);
        at += 4;
        if (length > n - at) {
            return false;
        }
        at += length;
    }
    // The framing bit closes the header.
    return at < n && (packet[at] & 1);
}
