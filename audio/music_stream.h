#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "audio/frame_ring.h"
#include "audio/resampler.h"
#include "audio/vorbis_decoder.h"

// One Ogg Vorbis stream: its bytes, its decoder, the conversion to the output
// format (stereo at the output rate) and whether it plays. A thread of its own
// decodes and converts the music ahead into a ring, so that the output
// device's thread only copies it: a device thread held back by a busy machine
// then still has its buffer in time. The public operations are not locked:
// the mixer serialises every use.
class MusicStream {
public:
    ~MusicStream();
    MusicStream(const MusicStream&) = delete;
    MusicStream& operator=(const MusicStream&) = delete;

    // Null when `data` is empty, cut short or not Ogg Vorbis.
    static std::unique_ptr<MusicStream> Create(std::vector<std::uint8_t> data, int outputRate);

    int SampleRate() const { return decoder->SampleRate(); }
    int Channels() const { return decoder->Channels(); }
    bool IsPlaying() const { return playing; }
    // The music's length in seconds; 0 when its file does not tell it.
    double LengthSeconds();
    bool HasEnded() const { return ended; }

    // Decodes the next packet ahead, if nothing is decoded yet.
    void PreBuffer();
    // Plays from the current place; from the start when `restart` is set or
    // the stream has ended.
    void Play(bool restart);
    // Stops, keeping the place.
    void Stop() { playing = false; }
    // Goes to `seconds` from the start, exactly to the frame, playing or not.
    // Past the end (or for a negative time) the stream has ended; false then.
    bool Seek(double seconds);

    // Adds up to `frames` frames of the playing stream to the interleaved
    // stereo `mix` and returns how many it added. At its end the stream stops
    // by itself; a stopped stream adds nothing. Copies what was decoded ahead;
    // decodes here only when the ring has run dry (just after a seek).
    int MixInto(float* mix, int frames);

private:
    MusicStream(std::vector<std::uint8_t> bytes, std::unique_ptr<VorbisDecoder> opened,
                int outputRate);
    // With `decoding` held: the next packet, then as much of it as fits
    // converted into the ring. False once the stream has no more.
    bool FillAhead();
    bool Decode();
    // With `decoding` held: forgets what was decoded ahead.
    void Restart();
    void Rewind();
    // The decoding thread: keeps the ring topped up.
    void DecodeAhead();

    std::vector<std::uint8_t> data;
    std::mutex decoding;  // the decoder's side, below, up to `ahead`
    std::unique_ptr<VorbisDecoder> decoder;
    Resampler resampler;
    std::vector<float> decoded;  // one packet, stereo at the stream's rate
    int decodedFrames = 0;
    int decodedUsed = 0;
    std::atomic<bool> sourceEnded{false};  // the decoder has given its last
    bool quitting = false;
    std::condition_variable wake;
    FrameRing ahead;  // stereo at the output rate, the next frames to play
    bool playing = false;
    bool ended = false;
    std::thread thread;
};
