#pragma once

// The music layer: the one header through which the host, the capture and the
// live program reach it.
// - bass.h: the nine operations the host plays its music with.
// - music_file.h: the demo's music opened from its file, with the host's words
//   for music that does not open.
// - music_stream.h: one Ogg Vorbis stream decoded to the output's format, for
//   programs that read the frames themselves (the capture, the benchmarks).
// - seekable_music.h: music that plays, pauses and goes to any moment (the
//   live program).
// The rest of this folder is the layer's own; only its tests reach into it.

#include "audio/bass.h"
#include "audio/music_file.h"
#include "audio/music_stream.h"
#include "audio/seekable_music.h"
