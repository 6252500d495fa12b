#pragma once

// Mixes `frames` frames of `count` separate channels, in Vorbis channel order,
// into interleaved stereo at `stereo`. Mono goes to both sides unchanged;
// centre and surround channels are folded into the sides and the sum scaled so
// that it never exceeds full scale; the low-frequency channel is left out.
void MixToStereo(float* const* channels, int count, int frames, float* stereo);
