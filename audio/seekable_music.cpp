#include "audio/seekable_music.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "audio/music_file.h"

namespace {

// How far the music may drift from the clock, and for how many buffers in a
// row on the same side, before it goes back to the clock's place. An output
// that takes its buffers in bursts is late or early for a few of them and
// then on time again, which ends the row.
const double MostDrift = 0.025;
const int BuffersAdrift = 16;
// The offset the drift is measured from: the median of the first buffers
// after the music was placed, which a burst or a late buffer does not move.
const int FirstBuffers = SeekableMusic::FirstBuffers;

}  // namespace

SeekableMusic::SeekableMusic(int outputFrequency) : frequency(outputFrequency) {
    mixer.SetRunning(true);
    output = AudioOutput::Open(frequency, [this](std::int16_t* samples, int frames) {
        BeforeBuffer(frames);
        mixer.Render(samples, frames);
    });
}

SeekableMusic::~SeekableMusic() {
    // The output's thread stops first: it mixes from the members below.
    output.reset();
}

bool SeekableMusic::Load(const std::string& file) {
    std::unique_ptr<MusicStream> music = OpenMusicFile(file, frequency);
    if (!music) return false;
    length = music->LengthSeconds();
    std::uint32_t added = mixer.Add(std::move(music));
    std::lock_guard<std::mutex> guard(lock);
    mixer.Remove(stream);
    stream = added;
    // The new music takes up the place of the old at the next buffer.
    placePending = true;
    return true;
}

void SeekableMusic::Play(double seconds, Clock::time_point at) {
    std::lock_guard<std::mutex> guard(lock);
    playing = true;
    placePending = true;
    startSeconds = seconds;
    startAt = at;
}

void SeekableMusic::Pause() {
    std::lock_guard<std::mutex> guard(lock);
    playing = false;
    mixer.With(stream, [](MusicStream& music) { music.Stop(); });
}

int SeekableMusic::Resyncs() const {
    std::lock_guard<std::mutex> guard(lock);
    return resyncs;
}

double SeekableMusic::LastOffset() const {
    std::lock_guard<std::mutex> guard(lock);
    return offset;
}

// The clock's place is taken when the output asks for the buffer, so the
// time between a Play and the output's next buffer is not lost.
void SeekableMusic::BeforeBuffer(int frames) {
    std::lock_guard<std::mutex> guard(lock);
    if (!playing) return;
    double clock = startSeconds + std::chrono::duration<double>(Clock::now() - startAt).count();
    if (placePending || buffersAdrift >= BuffersAdrift || buffersAdrift <= -BuffersAdrift) {
        if (!placePending) ++resyncs;
        placePending = false;
        buffersAdrift = buffersPlaced = 0;
        placedOffset = 0.0;
        handed = clock;
        mixer.With(stream, [clock](MusicStream& music) {
            if (music.Seek(clock)) music.Play(false);
        });
    }
    offset = clock - handed;
    if (buffersPlaced < FirstBuffers) firstOffsets[buffersPlaced] = offset;
    if (++buffersPlaced == FirstBuffers) {
        std::nth_element(firstOffsets, firstOffsets + FirstBuffers / 2,
                         firstOffsets + FirstBuffers);
        placedOffset = firstOffsets[FirstBuffers / 2];
    }
    double drift = buffersPlaced >= FirstBuffers ? offset - placedOffset : 0.0;
    if (drift > MostDrift) {
        buffersAdrift = buffersAdrift > 0 ? buffersAdrift + 1 : 1;
    } else if (drift < -MostDrift) {
        buffersAdrift = buffersAdrift < 0 ? buffersAdrift - 1 : -1;
    } else {
        buffersAdrift = 0;
    }
    handed += static_cast<double>(frames) / frequency;
}
