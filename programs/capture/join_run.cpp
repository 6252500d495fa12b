#include "programs/capture/join_run.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "foundation/exception.h"
#include "host/music.h"
#include "programs/capture/demo_files.h"
#include "programs/capture/encoded_join.h"
#include "programs/capture/joined_video.h"
#include "programs/capture/output_formats.h"
#include "programs/capture/y4m_segment.h"
#include "programs/capture/y4m_wav_writer.h"
#include "programs/support/interruption.h"
#include "programs/support/terminal.h"

namespace {

SegmentFile ReadSegment(const std::string& path, bool y4m) {
    bool isY4m = OutputExtension(path) == ".y4m";
    if (isY4m != y4m) {
        throw Ombrel::Exception("Cannot join %s into a %s file: give %s segments", path.c_str(),
                                y4m ? ".y4m" : ".mp4 or .mkv", y4m ? ".y4m" : ".mkv");
    }
    SegmentFile segment;
    segment.path = path;
    segment.tag = y4m ? Y4mSegment(path).Tag() : ReadEncodedSegmentTag(path);
    return segment;
}

// Y4M frames are copied as they are; the music goes to the .wav beside.
bool JoinY4mSegments(const std::vector<SegmentFile>& ordered, const std::string& output,
                     MusicTrack& music, const FrameClock& clock, ProgressLine& progress) {
    Y4mWavWriter writer(output.substr(0, output.size() - 4), JoinedFormat(ordered));
    JoinedSound sound(music, clock, progress);
    for (const SegmentFile& file : ordered) {
        Y4mSegment segment(file.path);
        std::vector<std::uint8_t> planes(segment.FrameBytes());
        while (segment.ReadFrame(planes.data())) {
            if (Interrupted()) return false;
            writer.WriteVideoPlanes(planes.data());
            sound.WriteFrame(writer);
        }
    }
    writer.Finish();
    return true;
}

}  // namespace

CaptureStatus RunJoin(const CaptureOptions& options) {
    CatchInterruptions();
    CheckOutputKind(options.output);
    bool y4m = OutputExtension(options.output) == ".y4m";
    std::vector<SegmentFile> segments;
    for (const std::string& path : options.segments) segments.push_back(ReadSegment(path, y4m));
    std::vector<std::size_t> order = OrderSegments(segments);
    std::vector<SegmentFile> ordered;
    for (std::size_t index : order) ordered.push_back(segments[index]);

    std::unique_ptr<MusicTrack> music(new MusicTrack(DemoFile(options, MusicFile)));
    const SegmentTag& tag = ordered.front().tag;
    FrameClock clock(tag.rateNumerator, tag.rateDenominator);
    ProgressLine progress(Ombrel::Tools::IsTerminal(stderr) ? stderr : nullptr, tag.total);
    bool complete = y4m ? JoinY4mSegments(ordered, options.output, *music, clock, progress)
                        : JoinEncodedSegments(ordered, options.output, *music, clock, progress);
    progress.End();
    if (!complete) {
        std::fprintf(stderr, "ombrel-capture: interrupted; %s not written\n",
                     options.output.c_str());
        return CaptureInterrupted;
    }
    std::printf("Wrote %s: %lld frames (%.2f s) at %s from %zu segments in %.1f s\n",
                OutputFiles(options.output).c_str(), static_cast<long long>(tag.total),
                static_cast<double>(clock.FirstSample(tag.total)) / FrameClock::SampleRate,
                tag.Settings().c_str(), ordered.size(), progress.Seconds());
    return CaptureDone;
}
