#pragma once

#include <cstddef>
#include <cstdint>

// One page of an Ogg stream, read in place: its header type flags, its
// segment table (one length a segment) and the body those segments fill.
struct OggPage {
    std::uint8_t flags;
    const std::uint8_t* segmentSizes;
    std::size_t segmentCount;
    const std::uint8_t* body;
};

// Walks the pages of an Ogg stream in memory from its first byte. Every page
// it gives lies wholly inside the data; it stops at the end of the data or at
// the first page that is damaged or cut short.
class OggPageWalker {
public:
    OggPageWalker(const std::uint8_t* bytes, std::size_t byteCount);

    // The next page; false when there is none.
    bool Next(OggPage* page);

    // Whether the pages given so far fill the data to its last byte.
    bool ReachedEnd() const { return position == size; }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position;
};

// True when `data` is a whole Ogg stream: a run of complete pages from its
// first byte to its last, the first beginning a stream and the last ending
// one. Rejects text, empty data and a file cut short anywhere, before the
// decoder ever sees them.
bool IsCompleteOggStream(const std::uint8_t* data, std::size_t size);
