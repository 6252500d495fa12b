#include "programs/capture/joined_video.h"

MediaFormat JoinedFormat(const std::vector<SegmentFile>& ordered) {
    const SegmentTag& tag = ordered.front().tag;
    return {tag.width,           tag.height, tag.rateNumerator,
            tag.rateDenominator, tag.crf,    tag.preset.c_str()};
}

JoinedSound::JoinedSound(MusicTrack& music, const FrameClock& clock, ProgressLine& progress)
    : track(music),
      frameClock(clock),
      line(progress),
      sound(2 * static_cast<std::size_t>(clock.MostSamplesPerFrame())) {}

void JoinedSound::WriteFrame(MediaWriter& writer) {
    int samples = frameClock.Samples(frames);
    track.Read(sound.data(), samples);
    writer.WriteAudio(sound.data(), samples);
    line.Show(++frames);
}
