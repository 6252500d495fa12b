#include "host/audio/vorbis_headers.h"

#include <cstring>
#include <vector>

namespace {

const std::size_t kPageHeaderSize = 27;
const int kCommentPacket = 1;

// The bytes of packet `index` (from 0) of the Ogg pages in `data`; false when
// the data ends first.
bool ReadPacket(const std::uint8_t* data, std::size_t size, int index,
                std::vector<std::uint8_t>* packet) {
    int current = 0;
    std::size_t position = 0;
    packet->clear();
    while (position + kPageHeaderSize <= size) {
        const std::uint8_t* page = data + position;
        std::size_t segments = page[26];
        std::size_t body = position + kPageHeaderSize + segments;
        if (std::memcmp(page, "OggS", 4) != 0 || body > size) {
            return false;
        }
        for (std::size_t i = 0; i < segments; ++i) {
            std::size_t length = page[kPageHeaderSize + i];
            if (body + length > size) {
                return false;
            }
            if (current == index) {
                packet->insert(packet->end(), data + body, data + body + length);
            }
            body += length;
            if (length < 255) {
                if (current == index) {
                    return true;
                }
                ++current;
            }
        }
        position = body;
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
    if (!ReadPacket(data, size, kCommentPacket, &packet)) {
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
