#include "programs/capture/capture_run.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "foundation/exception.h"
#include "host/demo_graph.h"
#include "host/music.h"
#include "host/pack_files.h"
#include "host/settings.h"
#include "plugin/registry.h"
#include "programs/capture/capture_plan.h"
#include "programs/capture/capture_window.h"
#include "programs/capture/demo_files.h"
#include "programs/capture/discarding_writer.h"
#include "programs/capture/encoding_queue.h"
#include "programs/capture/frame_and_sound.h"
#include "programs/capture/frame_clock.h"
#include "programs/capture/frame_reader.h"
#include "programs/capture/gpu_choice.h"
#include "programs/capture/music_track.h"
#include "programs/capture/output_formats.h"
#include "programs/capture/private_display.h"
#include "programs/capture/progress_line.h"
#include "programs/capture/render_loop.h"
#include "programs/capture/segment_tag.h"
#include "programs/support/demo_folder.h"
#include "programs/support/exit_deadline.h"
#include "programs/support/graph_plugins.h"
#include "programs/support/interruption.h"
#include "programs/support/terminal.h"

namespace {

// How long the window system and the private display get to go once the
// output is finished or given up.
const double EndSeconds = 10.0;

void AddPack(PluginRegistry& registry, const std::string& file) {
    AddDemoPack(registry, file);
}

// Lets go of the window system before the private display stops. By then the
// output is finished or given up, so the rest of the way out is bounded: a
// driver that never lets go cannot keep a finished capture from ending.
struct WindowSystemUser {
    CaptureStatus status = CaptureFailed;  // what the program ends with
    ~WindowSystemUser() {
        EndWithin(EndSeconds, status, "ombrel-capture");
        LeaveDemoWindow();
    }
};

// The demo graph's frame halves.
class GraphDrawing final : public FrameDrawing {
public:
    explicit GraphDrawing(DemoGraph& demoGraph) : graph(demoGraph) {}
    void Draw(float seconds) override { graph.DrawFrame(seconds); }
    void Present() override { graph.PresentFrame(); }

private:
    DemoGraph& graph;
};

// A segment is joined later without encoding its picture again: Matroska
// keeps its timestamps and tag, Y4M its frames as they are.
void CheckSegmentOutput(const CaptureOptions& options) {
    std::string extension = OutputExtension(options.output);
    if (options.segment && extension != ".mkv" && extension != ".y4m") {
        throw Ombrel::Exception(
            "--frames writes a segment to join later, not %s: give -o NAME.mkv (or NAME.y4m)",
            options.output.c_str());
    }
}

// A call of the graph that found no plugin draws nothing, without a word: a
// misspelt scene plugin would give a black video.
void WarnOfMissingPlugins(const DemoGraph& graph, const PluginRegistry& registry) {
    for (const std::string& warning : MissingGraphPlugins(graph, LoadedPluginsOf(registry)))
        std::fprintf(stderr, "ombrel-capture: warning: %s\n", warning.c_str());
}

std::string SegmentTagOf(const CaptureOptions& options, const CapturePlan& plan) {
    SegmentTag tag;
    tag.frames = plan.frames;
    tag.total = plan.total;
    tag.rateNumerator = options.rateNumerator;
    tag.rateDenominator = options.rateDenominator;
    tag.width = options.width;
    tag.height = options.height;
    tag.crf = options.crf;
    tag.preset = options.preset;
    return tag.Text();
}

}  // namespace

CaptureStatus RunCapture(const CaptureOptions& options) {
    CatchInterruptions();
    if (!options.frameCount) {
        CheckOutputKind(options.output);
        CheckSegmentOutput(options);
    }

    PluginRegistry registry;
    AddPack(registry, DemoFile(options, ScenePackFile));
    AddPack(registry, DemoFile(options, DevicePackFile));
    std::unique_ptr<MusicTrack> music(new MusicTrack(DemoFile(options, MusicFile)));

    FrameClock clock(options.rateNumerator, options.rateDenominator);
    std::int64_t musicSamples = options.seconds > 0.0 ? 0 : music->CountSamples();
    CapturePlan plan =
        PlanCapture(options, clock, musicSamples, DemoFile(options, MusicFile).c_str());
    if (options.frameCount) {
        std::printf("%lld\n", static_cast<long long>(plan.total));
        return CaptureDone;
    }
    const std::int64_t frames = plan.frames.Count();

    Settings chosen = {options.width, options.height, 32, false, options.english};
    DemoGraph graph(registry, chosen);
    WarnOfMissingPlugins(graph, registry);
    // Without its window there is nothing to read back; without OpenGLPrint
    // the window would not be kept responsive.
    if (const char* missing = graph.MissingWindowPlugin())
        throw Ombrel::Exception("Plugin %s not found", missing);

    MediaFormat format = {options.width,           options.height, options.rateNumerator,
                          options.rateDenominator, options.crf,    options.preset.c_str()};
    if (options.segment) {
        format.segmentTag = SegmentTagOf(options, plan);
        format.firstFrame = plan.frames.first;
    }
    // OMBREL_CAPTURE_OUTPUT=none draws and reads back every frame and writes
    // nothing, to measure the drawing alone.
    const char* kept = std::getenv("OMBREL_CAPTURE_OUTPUT");
    std::unique_ptr<MediaWriter> writer = kept != nullptr && std::string(kept) == "none"
                                              ? std::unique_ptr<MediaWriter>(new DiscardingWriter)
                                              : OpenMediaWriter(options.output, format);
    PrivateDisplay display(
        options.width, options.height,
        RequestedGpu(options.gpu, [](const char* name) { return std::getenv(name); }));
    WindowSystemUser windowSystem;
    graph.FirstStart();
    FitDemoWindow(options.width, options.height);
    // First, so that a render farm's log shows whether the node drew on its GPU.
    std::printf("ombrel-capture: drawing with %s on %s\n", CurrentRenderer().c_str(),
                display.Where().c_str());
    std::fflush(stdout);
    FrameReader reader(options.width, options.height);
    EncodingQueue queue(*writer, 4 * static_cast<std::size_t>(options.width) * options.height,
                        clock.MostSamplesPerFrame());
    FrameAndSound sink(queue, options.segment ? nullptr : music.get(), clock, plan.frames.first);
    ProgressLine progress(Ombrel::Tools::IsTerminal(stderr) ? stderr : nullptr, frames);

    GraphDrawing drawing(graph);
    std::string stoppedBy = RenderFrames(drawing, reader, sink, clock, plan.frames, progress);
    queue.Flush();
    progress.Show(sink.Written());
    progress.End();
    graph.StopCalls();

    std::string files = options.segment ? options.output : OutputFiles(options.output);
    if (sink.Written() == 0) {
        if (stoppedBy.empty()) {
            std::fprintf(stderr, "ombrel-capture: interrupted before the first frame\n");
            return windowSystem.status = CaptureInterrupted;
        }
        throw Ombrel::Exception("The demo stopped before its first frame: %s", stoppedBy.c_str());
    }
    if (options.segment && sink.Written() < frames) {
        // A segment is whole or absent: a part of one would leave a gap.
        std::fprintf(stderr, "ombrel-capture: %s at frame %lld of %s%s%s; no segment written\n",
                     stoppedBy.empty() ? "interrupted" : "the demo stopped",
                     static_cast<long long>(sink.NextFrame()), plan.frames.Text().c_str(),
                     stoppedBy.empty() ? "" : ": ", stoppedBy.c_str());
        return windowSystem.status = stoppedBy.empty() ? CaptureInterrupted : CaptureFailed;
    }
    writer->Finish();
    double seconds = static_cast<double>(clock.FirstSample(sink.NextFrame()) -
                                         clock.FirstSample(plan.frames.first)) /
                     FrameClock::SampleRate;
    if (sink.Written() < frames) {
        std::fprintf(stderr,
                     "ombrel-capture: %s at frame %lld of %lld%s%s; %s %s the %.2f s rendered\n",
                     stoppedBy.empty() ? "interrupted" : "the demo stopped",
                     static_cast<long long>(sink.Written()), static_cast<long long>(frames),
                     stoppedBy.empty() ? "" : ": ", stoppedBy.c_str(), files.c_str(),
                     files == options.output ? "holds" : "hold", seconds);
        return windowSystem.status = stoppedBy.empty() ? CaptureInterrupted : CaptureFailed;
    }
    std::string which = options.segment ? "frames " + plan.frames.Text() + " of " +
                                              std::to_string(plan.total) + ", "
                                        : std::string();
    std::printf(
        "Wrote %s: %s%lld frames (%.2f s) at %dx%d, %g fps, in %.1f s (%.1f frames per "
        "second)\n",
        files.c_str(), which.c_str(), static_cast<long long>(sink.Written()), seconds,
        options.width, options.height,
        static_cast<double>(options.rateNumerator) / options.rateDenominator, progress.Seconds(),
        progress.Rate(sink.Written()));
    return windowSystem.status = CaptureDone;
}
