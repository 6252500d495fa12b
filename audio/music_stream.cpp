#include "audio/music_stream.h"

#include <chrono>
#include <utility>

#include "audio/channel_mix.h"
#include "audio/ogg_pages.h"

namespace {

// How far ahead the music is decoded: about a third of a second at 44.1 kHz.
// It costs no delay, since what plays next does not depend on when it plays;
// it only has to outlast the longest time the decoding thread is held back.
const int AheadFrames = 16384;
// The decoding thread sleeps while the ring is this close to full, and looks
// again this often: well within the time the ring lasts.
const int RefillFrames = 2048;
const auto RefillEvery = std::chrono::milliseconds(10);
// Decoded before the music starts, so that the output's first buffers never
// wait for the decoding thread: a few of the largest device buffers.
const int PreBufferFrames = 8192;

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
      ahead(AheadFrames) {
    thread = std::thread([this] { DecodeAhead(); });
}

MusicStream::~MusicStream() {
    {
        std::lock_guard<std::mutex> lock(decoding);
        quitting = true;
    }
    wake.notify_one();
    thread.join();
}

void MusicStream::DecodeAhead() {
    std::unique_lock<std::mutex> lock(decoding);
    while (!quitting) {
        if (sourceEnded || ahead.Writable() < RefillFrames) {
            wake.wait_for(lock, RefillEvery);
            continue;
        }
        FillAhead();
        // The device's thread may be waiting to decode after a seek.
        lock.unlock();
        lock.lock();
    }
}

bool MusicStream::FillAhead() {
    if (sourceEnded) {
        return false;
    }
    if (decodedUsed == decodedFrames && !Decode()) {
        sourceEnded = true;
        return false;
    }
    int room = 0;
    float* target = ahead.WriteSpace(&room);
    int used = 0;
    int made = resampler.Convert(decoded.data() + 2 * decodedUsed, decodedFrames - decodedUsed,
                                 &used, target, room);
    decodedUsed += used;
    ahead.Wrote(made);
    return true;
}

void MusicStream::PreBuffer() {
    std::lock_guard<std::mutex> lock(decoding);
    while (ahead.Readable() < PreBufferFrames && FillAhead()) {
    }
    if (ahead.Readable() == 0 && sourceEnded) {
        ended = true;
    }
}

void MusicStream::Play(bool restart) {
    if (restart || ended) {
        Rewind();
    }
    playing = true;
}

void MusicStream::Restart() {
    resampler.Reset();
    decodedFrames = decodedUsed = 0;
    ahead.Clear();
    wake.notify_one();
}

void MusicStream::Rewind() {
    std::lock_guard<std::mutex> lock(decoding);
    Restart();
    decoder->Rewind();
    sourceEnded = ended = false;
}

double MusicStream::LengthSeconds() {
    std::lock_guard<std::mutex> lock(decoding);
    return static_cast<double>(decoder->Frames()) / decoder->SampleRate();
}

bool MusicStream::Seek(double seconds) {
    std::lock_guard<std::mutex> lock(decoding);
    Restart();
    double frame = seconds * decoder->SampleRate();
    ended = !(frame >= 0.0 && frame < 4294967295.0 &&
              decoder->Seek(static_cast<std::uint32_t>(frame + 0.5)));
    sourceEnded = ended;
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
        done += ahead.AddInto(mix + 2 * done, frames - done);
        if (done == frames) {
            break;
        }
        // The ring ran dry: decode here rather than leave a gap.
        std::lock_guard<std::mutex> lock(decoding);
        if (ahead.Readable() == 0 && !FillAhead() && ahead.Readable() == 0) {
            playing = false;
            ended = true;
        }
    }
    return done;
}
