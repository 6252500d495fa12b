#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "audio/audio_output.h"
#include "audio/mixer.h"

// The music of a program whose clock its user moves (the live-development
// program): one stream on the default output that plays, pauses and goes to
// any moment, exactly to the frame. The host does not use it: it plays its
// music with the nine operations of bass.h, which have no seek.
//
// The music keeps to the clock: when the output's own pace has let it drift
// more than a few hundredths of a second from where it was placed, buffer
// after buffer, it goes back to the clock's place (a passing jitter of the
// output's thread does not count, nor the buffers an output keeps queued
// ahead, which delay every buffer alike).
class SeekableMusic {
public:
    using Clock = std::chrono::steady_clock;

    // Opens the default output at `frequency` Hz. Without a usable output
    // device the music is silent and everything else works the same.
    explicit SeekableMusic(int frequency);
    ~SeekableMusic();
    SeekableMusic(const SeekableMusic&) = delete;
    SeekableMusic& operator=(const SeekableMusic&) = delete;

    bool HasOutput() const { return output != nullptr; }
    // The music's length in seconds: 0 before a music was loaded, or when its
    // file does not tell it.
    double Length() const { return length; }

    // Takes the music of the Ogg Vorbis file, at the place and in the state
    // of the music before it. False, with the music unchanged, when the file
    // is missing, empty, cut short or not Ogg Vorbis.
    bool Load(const std::string& file);

    // Plays from `seconds`, the music's place at the moment `at`: the output
    // takes its next buffer from where a clock that read `seconds` at `at`
    // then is, so the music keeps to that clock to the frame.
    void Play(double seconds, Clock::time_point at);
    // Stops, silent until the next Play.
    void Pause();

    // How far the music was behind the clock at the last buffer the output
    // took while playing: the clock's time when the output asked for the
    // buffer, less the music's place at its start, in seconds (negative: the
    // music was ahead). The output's own delay, the buffers it keeps queued,
    // comes on top, the same for every buffer.
    double LastOffset() const;
    // How many times the music went back to the clock because it drifted.
    int Resyncs() const;

    // How many buffers after the music is placed its drift is measured from.
    static constexpr int FirstBuffers = 16;

private:
    // Runs on the output's thread before each buffer is mixed.
    void BeforeBuffer(int frames);

    const int frequency;
    double length = 0.0;
    Mixer mixer;
    std::unique_ptr<AudioOutput> output;
    mutable std::mutex lock;  // what follows, shared with the output's thread
    std::uint32_t stream = 0;
    bool playing = false;
    bool placePending = false;  // the next buffer goes to the clock's place
    double startSeconds = 0.0;
    Clock::time_point startAt;
    double handed = 0.0;  // the music's place at the next buffer, seconds
    double offset = 0.0;
    int buffersPlaced = 0;  // taken since the music was placed
    double firstOffsets[FirstBuffers] = {};
    double placedOffset = 0.0;
    int buffersAdrift = 0;  // in a row beyond the drift allowed: + behind, - ahead
    int resyncs = 0;
};
