#pragma once

#include <cstddef>
#include <cstdint>

// True when `data` is a whole Ogg stream: a run of complete pages from its
// first byte to its last, the first beginning a stream and the last ending
// one. Rejects text, empty data and a file cut short anywhere, before the
// decoder ever sees them.
bool IsCompleteOggStream(const std::uint8_t* data, std::size_t size);
