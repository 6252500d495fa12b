#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "programs/capture/media_writer.h"
#include "programs/capture/part_file.h"

// The capture as two plain files side by side that any encoder takes: the
// picture as YUV4MPEG2 ("<name>.y4m", 4:2:0, BT.709, limited range) and the
// music as a WAV file ("<name>.wav", 16-bit stereo at 44100 Hz). A segment
// (the format's segmentTag) is the picture only, with the tag in the Y4M
// header as the parameter "XOMBREL_SEGMENT=<tag>".
class Y4mWavWriter final : public MediaWriter {
public:
    // `name` is the output's path without its ".y4m".
    Y4mWavWriter(const std::string& name, const MediaFormat& wanted);

    void WriteVideo(const std::uint8_t* bgra) override;
    // One frame already in the file's form: the Y, U and V planes, 4:2:0.
    void WriteVideoPlanes(const std::uint8_t* yuv);
    void WriteAudio(const float* stereo, int count) override;
    void Finish() override;

private:
    void Check(std::ofstream& stream, const PartFile& file);
    void WriteWavHeader(std::uint32_t dataBytes);

    MediaFormat format;
    PartFile videoFile;
    PartFile audioFile;
    std::ofstream video;
    std::ofstream audio;
    std::vector<std::uint8_t> planes;
    std::vector<std::uint8_t> samples;
    std::uint64_t audioBytes;
    bool withSound;
};
