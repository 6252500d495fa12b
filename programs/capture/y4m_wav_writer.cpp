#include "programs/capture/y4m_wav_writer.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "foundation/exception.h"
#include "programs/capture/frame_clock.h"
#include "programs/capture/yuv_convert.h"

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

Y4mWavWriter::Y4mWavWriter(const std::string& name, const MediaFormat& wanted)
    : format(wanted),
      videoFile(name + ".y4m", !wanted.segmentTag.empty()),
      audioFile(name + ".wav"),
      video(videoFile.PartPath(), std::ios::binary | std::ios::trunc),
      planes(static_cast<std::size_t>(format.width) * format.height * 3 / 2),
      audioBytes(0),
      withSound(wanted.segmentTag.empty()) {
    char header[128];
    std::snprintf(header, sizeof header,
                  "YUV4MPEG2 W%d H%d F%d:%d Ip A1:1 C420jpeg XYSCSS=420JPEG XCOLORRANGE=LIMITED",
                  format.width, format.height, format.rateNumerator, format.rateDenominator);
    video << header;
    if (!withSound) video << " XOMBREL_SEGMENT=" << format.segmentTag;
    video << "\n";
    Check(video, videoFile);
    if (!withSound) return;
    audio.open(audioFile.PartPath(), std::ios::binary | std::ios::trunc);
    WriteWavHeader(0);
    Check(audio, audioFile);
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
    audio.write(reinterpret_cast<const char*>(header), sizeof header);
}

void Y4mWavWriter::WriteVideo(const std::uint8_t* bgra) {
    ConvertToI420(bgra, format.width, format.height, planes.data());
    WriteVideoPlanes(planes.data());
}

void Y4mWavWriter::WriteVideoPlanes(const std::uint8_t* yuv) {
    video << "FRAME\n";
    video.write(reinterpret_cast<const char*>(yuv), static_cast<std::streamsize>(planes.size()));
    Check(video, videoFile);
}

void Y4mWavWriter::WriteAudio(const float* stereo, int count) {
    if (!withSound) return;
    samples.resize(static_cast<std::size_t>(count) * 4);
    for (int i = 0; i < 2 * count; ++i) {
        PutLittleEndian(samples.data() + 2 * i, static_cast<std::uint16_t>(ToSample(stereo[i])), 2);
    }
    audioBytes += samples.size();
    if (audioBytes > LargestWavData) {
        throw Ombrel::Exception("Cannot write %s: longer than a WAV file can be",
                                audioFile.Path().c_str());
    }
    audio.write(reinterpret_cast<const char*>(samples.data()),
                static_cast<std::streamsize>(samples.size()));
    Check(audio, audioFile);
}

void Y4mWavWriter::Finish() {
    if (withSound) {
        audio.seekp(0);
        WriteWavHeader(static_cast<std::uint32_t>(audioBytes));
        audio.close();
        Check(audio, audioFile);
    }
    video.close();
    Check(video, videoFile);
    videoFile.Commit();
    if (withSound) audioFile.Commit();
}
