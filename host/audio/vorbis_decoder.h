#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

struct stb_vorbis;

// One Ogg Vorbis stream being decoded, packet by packet, from bytes in memory.
class VorbisDecoder {
public:
    // Opens the stream in `data`, which must outlive the decoder. Null when the
    // data is not a Vorbis stream this layer can play.
    static std::unique_ptr<VorbisDecoder> Open(const std::uint8_t* data, std::size_t size);
    ~VorbisDecoder();
    VorbisDecoder(const VorbisDecoder&) = delete;
    VorbisDecoder& operator=(const VorbisDecoder&) = delete;

    int SampleRate() const { return sampleRate_; }
    int Channels() const { return channels_; }
    // The most frames one packet can decode to.
    int MaxFrames() const { return maxFrames_; }

    // Decodes the next packet: returns its frame count, 0 at the end of the
    // stream, and points `channels` at one array of samples per channel, valid
    // until the next call.
    int DecodePacket(float*** channels);
    // Goes back to the first sample.
    void Rewind();

private:
    VorbisDecoder(stb_vorbis* vorbis, std::unique_ptr<char[]> memory);
    // Null unless the stream's rate and channel count are ones we can play.
    static std::unique_ptr<VorbisDecoder> Check(std::unique_ptr<VorbisDecoder> decoder);

    std::unique_ptr<char[]> memory_;  // everything the decoder allocates
    stb_vorbis* vorbis_;
    int sampleRate_;
    int channels_;
    int maxFrames_;
};
