#include "host/audio/music_stream.h"

#include <utility>

#include "host/audio/channel_mix.h"
#include "host/audio/ogg_pages.h"

namespace {

// Output frames converted in one step; the device's buffers are larger and
// are filled in several steps.
const int kConvertFrames = 1024;

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
MusicStream::MusicStream(std::vector<std::uint8_t> data, std::unique_ptr<VorbisDecoder> decoder,
                         int outputRate)
    : data_(std::move(data)),
      decoder_(std::move(decoder)),
      resampler_(decoder_->SampleRate(), outputRate),
      decoded_(2 * static_cast<std::size_t>(decoder_->MaxFrames())),
      converted_(2 * kConvertFrames) {}

void MusicStream::PreBuffer() {
    if (decodedUsed_ == decodedFrames_ && !ended_ && !Decode()) {
        ended_ = true;
    }
}

void MusicStream::Play(bool restart) {
    if (restart || ended_) {
        Rewind();
    }
    playing_ = true;
}

void MusicStream::Rewind() {
    decoder_->Rewind();
    resampler_.Reset();
    decodedFrames_ = decodedUsed_ = 0;
    ended_ = false;
}

bool MusicStream::Decode() {
    float** channels = nullptr;
    int frames = decoder_->DecodePacket(&channels);
    if (frames <= 0) {
        return false;
    }
    if (frames > decoder_->MaxFrames()) {
        frames = decoder_->MaxFrames();
    }
    MixToStereo(channels, decoder_->Channels(), frames, decoded_.data());
    decodedFrames_ = frames;
    decodedUsed_ = 0;
    return true;
}

int MusicStream::MixInto(float* mix, int frames) {
    int done = 0;
    while (playing_ && done < frames) {
        if (decodedUsed_ == decodedFrames_ && !Decode()) {
            playing_ = false;
            ended_ = true;
            break;
        }
        int want = frames - done < kConvertFrames ? frames - done : kConvertFrames;
        int used = 0;
        int made =
            resampler_.Convert(decoded_.data() + 2 * decodedUsed_, decodedFrames_ - decodedUsed_,
                               &used, converted_.data(), want);
        decodedUsed_ += used;
        float* target = mix + 2 * done;
        for (int i = 0; i < 2 * made; ++i) {
            target[i] += converted_[i];
        }
        done += made;
    }
    return done;
}
