#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/audio/resampler.h"
#include "host/audio/vorbis_decoder.h"

// One Ogg Vorbis stream: its bytes, its decoder, the conversion to the output
// format (stereo at the output rate) and whether it plays. Not locked: the
// mixer serialises every use.
class MusicStream {
public:
    // Null when `data` is empty, cut short or not Ogg Vorbis.
    static std::unique_ptr<MusicStream> Create(std::vector<std::uint8_t> data, int outputRate);

    int SampleRate() const { return decoder->SampleRate(); }
    int Channels() const { return decoder->Channels(); }
    bool IsPlaying() const { return playing; }
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
    // by itself; a stopped stream adds nothing.
    int MixInto(float* mix, int frames);

private:
    MusicStream(std::vector<std::uint8_t> bytes, std::unique_ptr<VorbisDecoder> opened,
                int outputRate);
    bool Decode();
    void Rewind();

    std::vector<std::uint8_t> data;
    std::unique_ptr<VorbisDecoder> decoder;
    Resampler resampler;
    std::vector<float> decoded;  // one packet, stereo at the stream's rate
    int decodedFrames = 0;
    int decodedUsed = 0;
    std::vector<float> converted;  // stereo at the output rate
    bool playing = false;
    bool ended = false;
};
