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

    int SampleRate() const { return sampleRate; }
    int Channels() const { return channels; }
    // The most frames one packet can decode to.
    int MaxFrames() const { return maxFrames; }

    // Decodes the next packet: returns its frame count, 0 at the end of the
    // stream, and points `samples` at one array of samples per channel, valid
    // until the next call.
    int DecodePacket(float*** samples);
    // The stream's length in frames, read from its last page; 0 when it
    // cannot be told. Keeps the place of the next packet.
    std::uint32_t Frames();
    // Goes back to the first sample.
    void Rewind();
    // Goes to the frame `frame` (counted at the stream's rate): the next
    // packet decoded starts exactly there. False, with the place lost, when
    // the stream has no such frame.
    bool Seek(std::uint32_t frame);

private:
    VorbisDecoder(stb_vorbis* opened, std::unique_ptr<char[]> arena);
    // Null unless the stream's rate and channel count are ones we can play.
    static std::unique_ptr<VorbisDecoder> Check(std::unique_ptr<VorbisDecoder> decoder);

    std::unique_ptr<char[]> memory;  // everything the decoder allocates
    stb_vorbis* vorbis;
    int sampleRate;
    int channels;
    int maxFrames;
    // Frames of the next packet that lie before the place a seek went to.
    int skipFrames = 0;
    float* skipped[8];  // the channels of a packet, past those frames
};
