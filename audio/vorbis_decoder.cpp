#include "audio/vorbis_decoder.h"

#include <climits>
#include <utility>

#include "audio/vorbis_headers.h"

// The decoder itself is compiled once, in stb_vorbis_impl.c.
#define STB_VORBIS_HEADER_ONLY
#include <stb_vorbis.h>

namespace {

// Rates a sound card plays; anything else is a damaged header, and a rate of
// zero would stall the resampler.
const unsigned LowestRate = 1000;
const unsigned HighestRate = 384000;
const int MostChannels = 8;

// The decoder takes all its memory from one block of ours, so that nothing
// leaks when it gives up halfway through a damaged header, and a header cannot
// make it take more than the largest block. Real files need a few hundred
// kilobytes; a block too small is retried four times larger.
const std::size_t FirstBlock = 256 * 1024;
const std::size_t LargestBlock = 16 * 1024 * 1024;

}  // namespace

std::unique_ptr<VorbisDecoder> VorbisDecoder::Open(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > INT_MAX || !HasSoundCommentHeader(data, size)) {
        return nullptr;
    }
    for (std::size_t block = FirstBlock; block <= LargestBlock; block *= 4) {
        std::unique_ptr<char[]> memory(new char[block]);
        stb_vorbis_alloc alloc = {memory.get(), static_cast<int>(block)};
        int error = 0;
        stb_vorbis* vorbis = stb_vorbis_open_memory(data, static_cast<int>(size), &error, &alloc);
        if (vorbis) {
            return Check(
                std::unique_ptr<VorbisDecoder>(new VorbisDecoder(vorbis, std::move(memory))));
        }
        if (error != VORBIS_outofmem) {
            return nullptr;
        }
    }
    return nullptr;
}

std::unique_ptr<VorbisDecoder> VorbisDecoder::Check(std::unique_ptr<VorbisDecoder> decoder) {
    if (decoder->sampleRate < static_cast<int>(LowestRate) ||
        decoder->sampleRate > static_cast<int>(HighestRate) || decoder->channels < 1 ||
        decoder->channels > MostChannels || decoder->maxFrames < 1) {
        return nullptr;
    }
    return decoder;
}

VorbisDecoder::VorbisDecoder(stb_vorbis* opened, std::unique_ptr<char[]> arena)
    : memory(std::move(arena)), vorbis(opened) {
    stb_vorbis_info info = stb_vorbis_get_info(vorbis);
    sampleRate = info.sample_rate <= HighestRate ? static_cast<int>(info.sample_rate) : 0;
    channels = info.channels;
    // A packet decodes to at most half a long block, except the last: trimmed
    // to the stream's length, it may hold up to a whole long block.
    maxFrames = 2 * info.max_frame_size;
}

VorbisDecoder::~VorbisDecoder() {
    stb_vorbis_close(vorbis);
}

int VorbisDecoder::DecodePacket(float*** samples) {
    int count = 0;
    int frames = stb_vorbis_get_frame_float(vorbis, &count, samples);
    if (skipFrames == 0 || frames <= 0) return frames;
    // The packet a seek landed in: hand out only its frames from the place.
    int skip = skipFrames < frames ? skipFrames : frames;
    skipFrames = 0;
    for (int channel = 0; channel < channels; ++channel)
        skipped[channel] = (*samples)[channel] + skip;
    *samples = skipped;
    return frames - skip;
}

std::uint32_t VorbisDecoder::Frames() {
    return stb_vorbis_stream_length_in_samples(vorbis);
}

void VorbisDecoder::Rewind() {
    skipFrames = 0;
    stb_vorbis_seek_start(vorbis);
}

// The decoder finds the packet that holds the frame; the frames before it in
// that packet are dropped from the next packet decoded.
bool VorbisDecoder::Seek(std::uint32_t frame) {
    skipFrames = 0;
    if (!stb_vorbis_seek_frame(vorbis, frame)) return false;
    int start = stb_vorbis_get_sample_offset(vorbis);
    if (start < 0 || static_cast<std::uint32_t>(start) > frame) return false;
    skipFrames = static_cast<int>(frame - static_cast<std::uint32_t>(start));
    return true;
}
