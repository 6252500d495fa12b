#pragma once

#include <cstdint>

// The music layer: the nine operations of the audio library that the host
// uses to play its music. A stream plays by itself once started: decoding and
// output run on the output device's own thread, so the caller never decodes
// and never calls anything per frame.
//
// Results follow the library's convention: nonzero means success. No
// operation throws, and calls out of order (playing before creating, freeing
// twice, stopping before initialising, a handle that is not one) fail or do
// nothing.

typedef std::uint32_t HSTREAM;  // 32-bit stream handle; 0 is never a stream

// The library's version: 0x30001 for version 1.3.
std::uint32_t BASS_GetVersion();

// Opens the output `device` (-1 or 1: the default output) at `frequency` Hz,
// 16-bit stereo, and starts it (it plays silence until a stream plays).
// `flags` and `window` are accepted and ignored. Zero when no output device
// can be opened or the library is already initialised.
int BASS_Init(int device, std::uint32_t frequency, std::uint32_t flags, void* window);

// Starts the output again after BASS_Stop.
int BASS_Start();

// Creates a stream of the Ogg Vorbis data in the file named by `file` (when
// `memory` is zero) or in the `length` bytes at `file` (when `memory` is
// nonzero; the bytes are copied). For a file, `offset` skips its first bytes
// and a `length` of 0 reads to its end. Zero when the library is not
// initialised or the data is missing, empty, cut short or not Ogg Vorbis.
HSTREAM BASS_StreamCreateFile(int memory, const void* file, std::uint32_t offset,
                              std::uint32_t length, std::uint32_t flags);

// Decodes the start of `handle` ahead, so that playback starts at once.
int BASS_StreamPreBuf(HSTREAM handle);

// Plays `handle` from its current position, or from its start when `flush`
// is nonzero. At its end the stream stops by itself. `flags` is ignored.
int BASS_StreamPlay(HSTREAM handle, int flush, std::uint32_t flags);

// Stops the output and every stream; each keeps its position.
int BASS_Stop();

// Frees `handle`; its sound stops at once.
int BASS_StreamFree(HSTREAM handle);

// Frees every stream and closes the output device.
int BASS_Free();
