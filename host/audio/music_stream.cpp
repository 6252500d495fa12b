#include "host/audio/music_stream.h"

#include <utility>

#include "host/audio/channel_mix.h"
#include "host/audio/ogg_pages.h"

namespace {

// Output frames converted in one step; the device's buffers are larger and
// are filled in several steps.
const int ConvertFrames = 1024;

}  // namespace

std::unique_ptr<MusicStream> MusicStream::Create(std::vector<std::uint8_t> data, int outputRate) {
    if (outputRate < 1 || !IsCompleteOggStream(data.data(), data.size())) {
        return nullptr;
    }
    std::unique_ptr<VorbisDecoder> decoder = VorbisDecoder::Open(data.data(), data.size());
    if (!decoder) {
        return nullptr;
    }
    return std::unique_ptr<MusicStream>(
        new MusicStream(std::move(data), std::move(decoder), outputRate));
}

// The decoder reads the bytes in place; moving the vector keeps its buffer.
MusicStream::MusicStream(std::vector<std::uint8_t> bytes, std::unique_ptr<VorbisDecoder> opened,
                         int outputRate)
    : data(std::move(bytes)),
      decoder(std::move(opened)),
      resampler(decoder->SampleRate(), outputRate),
      decoded(2 * static_cast<std::size_t>(decoder->MaxFrames())),
      converted(2 * ConvertFrames) {}

void MusicStream::PreBuffer() {
    if (decodedUsed == decodedFrames && !ended && !Decode()) {
        ended = true;
    }
}

void MusicStream::Play(bool restart) {
    if (restart || ended) {
        Rewind();
    }
    playing = true;
}

void MusicStream::Rewind() {
    decoder->Rewind();
    resampler.Reset();
    decodedFrames = decodedUsed = 0;
    ended = false;
}

bool MusicStream::Seek(double seconds) {
    resampler.Reset();
    decodedFrames = decodedUsed = 0;
    double frame = seconds * decoder->SampleRate();
    ended = !(frame >= 0.0 && frame < 4294967295.0 &&
              decoder->Seek(static_cast<std::uint32_t>(frame + 0.5)));
    if (ended) playing = false;
    return !ended;
}

bool MusicStream::Decode() {
    float** channels = nullptr;
    int frames = decoder->DecodePacket(&channels);
    if (frames <= 0) {
        return false;
    }
    if (frames > decoder->MaxFrames()) {
        frames = decoder->MaxFrames();
    }
    MixToStereo(channels, decoder->Channels(), frames, decoded.data());
    decodedFrames = frames;
    decodedUsed = 0;
    return true;
}

int MusicStream::MixInto(float* mix, int frames) {
    int done = 0;
    while (playing && done < frames) {
        if (decodedUsed == decodedFrames && !Decode()) {
            playing = false;
            ended = true;
            break;
        }
        int want = frames - done < ConvertFrames ? frames - done : ConvertFrames;
        int used = 0;
        int made = resampler.Convert(decoded.data() + 2 * decodedUsed, decodedFrames - decodedUsed,
                                     &used, converted.data(), want);
        decodedUsed += used;
        float* target = mix + 2 * done;
        for (int i = 0; i < 2 * made; ++i) {
            target[i] += converted[i];
        }
        done += made;
    }
    return done;
}
