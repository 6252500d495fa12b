#pragma once

#include <string>

// Where the output device of this platform sends what it plays during the
// tests: capture_posix.cpp (SDL's disk driver) and capture_win32.cpp (under
// wine, an ALSA file device that the test's environment sets up).

// Sends the output of the next BASS_Init to a capture file, empty at first,
// and returns its path. The file holds raw 16-bit stereo at the output rate.
std::string CaptureOutput(const std::string& name);

// Makes the next BASS_Init find no output device; false where the tests
// cannot arrange that. RestoreOutputDevices undoes it.
bool HideOutputDevices();
void RestoreOutputDevices();
