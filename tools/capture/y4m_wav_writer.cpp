#include "tools/capture/y4m_wav_writer.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "foundation/exception.h"
#include "tools/capture/frame_clock.h"
#include "tools/capture/yuv_convert.h"

namespace {

const std::uint64_t LargestWavData = 0xFFFFFFFFu - 36;

void PutLittleEndian(std::uint8_t* at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::int16_t ToSample(float value) {
    if (value >= 1.0f) return 32767;
    if (value <= -1.0f) return -32768;
    float scaled = value * 32767.0f;
    return static_cast<std::int16_t>(scaled >= 0.0f ? scaled + 0.5f : scaled - 0.5f);
}

}  // namespace

Y4mWavWriter::Y4mWavWriter(const std::string& name, const MediaFormat& format)
    : format_(format),
      videoFile_(name + ".y4m"),
      audioFile_(name + ".wav"),
      video_(videoFile_.PartPath(), std::ios::binary | std::ios::trunc),
      audio_(audioFile_.PartPath(), std::ios::binary | std::ios::trunc),
      planes_(static_cast<std::size_t>(format.width) * format.height * 3 / 2),
      audioBytes_(0) {
    char header[128];
    std::snprintf(header, sizeof header,
                  "YUV4MPEG2 W%d H%d F%d:%d Ip A1:1 C420jpeg XYSCSS=420JPEG XCOLORRANGE=LIMITED\n",
                  format.width, format.height, format.rateNumerator, format.rateDenominator);
    video_ << header;
    Check(video_, videoFile_);
    WriteWavHeader(0);
    Check(audio_, audioFile_);
}

void Y4mWavWriter::Check(std::ofstream& stream, const PartFile& file) {
    if (!stream) {
        throw Ombrel::Exception("Cannot write %s: %s", file.Path().c_str(), std::strerror(errno));
    }
}

void Y4mWavWriter::WriteWavHeader(std::uint32_t dataBytes) {
    const std::uint32_t rate = FrameClock::SampleRate;
    std::uint8_t header[44] = {'R', 'I', 'F', 'F', 0,  0, 0, 0, 'W', 'A', 'V', 'E',
                               'f', 'm', 't', ' ', 16, 0, 0, 0, 1,   0,   2,   0};
    PutLittleEndian(header + 4, 36 + dataBytes, 4);
    PutLittleEndian(header + 24, rate, 4);
    PutLittleEndian(header + 28, rate * 4, 4);  // bytes per second
    PutLittleEndian(header + 32, 4, 2);         // bytes per sample frame
    PutLittleEndian(header + 34, 16, 2);        // bits per sample
    std::copy_n("data", 4, header + 36);
    PutLittleEndian(header + 40, dataBytes, 4);
    audio_.write(reinterpret_cast<const char*>(header), sizeof header);
}

void Y4mWavWriter::WriteVideo(const std::uint8_t* bgra) {
    ConvertToI420(bgra, format_.width, format_.height, planes_.data());
    video_ << "FRAME\n";
    video_.write(reinterpret_cast<const char*>(planes_.data()),
                 static_cast<std::streamsize>(planes_.size()));
    Check(video_, videoFile_);
}

void Y4mWavWriter::WriteAudio(const float* stereo, int samples) {
    samples_.resize(static_cast<std::size_t>(samples) * 4);
    for (int i = 0; i < 2 * samples; ++i) {
        PutLittleEndian(samples_.data() + 2 * i, static_cast<std::uint16_t>(ToSample(stereo[i])),
                        2);
    }
    audioBytes_ += samples_.size();
    if (audioBytes_ > LargestWavData) {
        throw Ombrel::Exception("Cannot write %s: longer than a WAV file can be",
                                audioFile_.Path().c_str());
    }
    audio_.write(reinterpret_cast<const char*>(samples_.data()),
                 static_cast<std::streamsize>(samples_.size()));
    Check(audio_, audioFile_);
}

void Y4mWavWriter::Finish() {
    audio_.seekp(0);
    WriteWavHeader(static_cast<std::uint32_t>(audioBytes_));
    audio_.close();
    Check(audio_, audioFile_);
    video_.close();
    Check(video_, videoFile_);
    videoFile_.Commit();
    audioFile_.Commit();
}
