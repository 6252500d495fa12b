#pragma once

#include <cstddef>
#include <cstdint>

// True when the comment header of the Ogg Vorbis stream in `data` (its second
// packet) is whole and every length in it stays inside it. The decoder trusts
// those lengths when it copies the comments, so a damaged one must never reach
// it.
bool HasSoundCommentHeader(const std::uint8_t* data, std::size_t size);
