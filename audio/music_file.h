#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "audio/music_stream.h"

// The demo's music opened from its file, for the host's audio library and for
// the programs beside the host, and what they say when it does not open.

// The host's words for music that does not open, the demo's own.
constexpr const char* CantCreateStream = "Can't create stream";

// The Ogg Vorbis file at `path`, read from `offset` for `length` bytes (0: to
// its end), as a stream for output at `outputRate` Hz. Null when the file is
// missing, empty, cut short or not Ogg Vorbis.
std::unique_ptr<MusicStream> OpenMusicFile(const std::string& path, int outputRate,
                                           std::uint32_t offset = 0, std::uint32_t length = 0);

// What may be wrong with a music file that did not open: "PATH is missing,
// empty, cut short or not Ogg Vorbis".
std::string MusicFileProblem(const std::string& path);
