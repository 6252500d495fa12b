#pragma once

#include <memory>
#include <string>

#include "programs/capture/media_writer.h"

struct AVCodecParameters;
struct AVPacket;

// The capture encoded with FFmpeg's libraries: H.264 (x264, 4:2:0, BT.709,
// limited range) at the quality asked for and AAC at 44100 Hz stereo, in an
// MP4 file ready to play while it downloads ("mp4") or in Matroska
// ("matroska"). The music is kept sample for sample: the audio stream's
// timestamps count the samples written. A segment (the format's segmentTag)
// has the picture only, numbered from its first frame, with the tag stored
// as the file's "OMBREL_SEGMENT" metadata.
class FfmpegWriter final : public MediaWriter {
public:
    FfmpegWriter(const std::string& path, const char* container, const MediaFormat& format);
    // A video whose picture is encoded already (`video`, H.264 of the
    // format's size), written packet by packet with WriteVideoPacket, and
    // whose sound is encoded here.
    FfmpegWriter(const std::string& path, const char* container, const MediaFormat& format,
                 const AVCodecParameters* video);
    ~FfmpegWriter() override;

    void WriteVideo(const std::uint8_t* bgra) override;
    // One encoded picture, its timestamps counted in frames.
    void WriteVideoPacket(AVPacket* packet);
    void WriteAudio(const float* stereo, int samples) override;
    void Finish() override;

private:
    struct State;  // FFmpeg's types stay out of this header
    std::unique_ptr<State> state;
};
