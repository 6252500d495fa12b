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

    int SampleRate() const { return decoder_->SampleRate(); }
    int Channels() const { return decoder_->Channels(); }
    bool IsPlaying() const { return playing_; }
    bool HasEnded() const { return ended_; }

    // Decodes the next packet ahead, if nothing is decoded yet.
    void PreBuffer();
    // Plays from the current place; from the start when `restart` is set or
    // the stream has ended.
    void Play(bool restart);
    // Stops, keeping the place.
    void Stop() { playing_ = false; }

    // Adds up to `frames` frames of the playing stream to the interleaved
    // stereo `mix` and returns how many it added. At its end the stream stops
    // by itself; a stopped stream adds nothing.
    int MixInto(float* mix, int frames);

private:
    MusicStream(std::vector<std::uint8_t> data, std::unique_ptr<VorbisDecoder> decoder,
                int outputRate);
    bool Decode();
    void Rewind();

    std::vector<std::uint8_t> data_;
    std::unique_ptr<VorbisDecoder> decoder_;
    Resampler resampler_;
    std::vector<float> decoded_;  // one packet, stereo at the stream's rate
    int decodedFrames_ = 0;
    int decodedUsed_ = 0;
    std::vector<float> converted_;  // stereo at the output rate
    bool playing_ = false;
    bool ended_ = false;
};
