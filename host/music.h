#pragma once

#include "audio/audio.h"

// The demo's music, played by the audio library on its own once started.

// Relative to the current folder, which is the demo's.
constexpr const char* MusicFile = "./Data/audio.ogg";

// Throws "BASS version 1.3 was not loaded, Incorrect BASS.DLL" when the
// library is not the version the demo was made for.
void CheckAudioLibrary();

// Opens the output and starts the stream. On a failure the display goes back
// to its normal mode before "Can't initialize digital sound system", "Can't
// create stream" or "Can't play stream" is thrown.
HSTREAM StartMusic();

// Stops the output and frees the stream and the library.
void StopMusic(HSTREAM musicStream);
