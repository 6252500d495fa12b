#include "programs/capture/frame_and_sound.h"

FrameAndSound::FrameAndSound(EncodingQueue& encoder, MusicTrack* music,
                             const FrameClock& frameClock, std::int64_t firstFrame)
    : queue(encoder),
      track(music),
      clock(frameClock),
      first(firstFrame),
      written(0),
      sound(2 * static_cast<std::size_t>(frameClock.MostSamplesPerFrame())) {}

void FrameAndSound::TakeFrame(const std::uint8_t* bgra) {
    int samples = 0;
    if (track != nullptr) {
        samples = clock.Samples(NextFrame());
        track->Read(sound.data(), samples);
    }
    queue.Push(bgra, sound.data(), samples);
    ++written;
}
