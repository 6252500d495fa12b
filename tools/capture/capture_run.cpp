#include "tools/capture/capture_run.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "foundation/exception.h"
#include "host/demo_graph.h"
#include "host/music.h"
#include "host/pack_files.h"
#include "host/settings.h"
#include "plugin/module.h"
#include "plugin/registry.h"
#include "tools/capture/console.h"
#include "tools/capture/demo_window.h"
#include "tools/capture/encoding_queue.h"
#include "tools/capture/frame_clock.h"
#include "tools/capture/frame_reader.h"
#include "tools/capture/music_track.h"
#include "tools/capture/output_formats.h"
#include "tools/capture/private_display.h"
#include "tools/capture/progress_line.h"
#include "tools/support/exit_deadline.h"
#include "tools/support/interruption.h"

namespace {

// How long the window system and the private display get to go once the
// output is finished or given up.
const double EndSeconds = 10.0;

// A file of the demo: beside the program and in the current folder as the
// host finds it, or in the folder given.
std::string DemoFile(const CaptureOptions& options, const char* name) {
    if (options.demoFolder.empty()) return name;
    if (name[0] == '.' && name[1] == '/') name += 2;
    return options.demoFolder + "/" + name;
}

void AddPack(PluginRegistry& registry, const std::string& file) {
    try {
        registry.AddPack(file.c_str());
    } catch (const Ombrel::Exception& e) {
        String reason = GetModuleLoadError();
        if (reason.GetLength() == 0) throw;
        throw Ombrel::Exception("%s\n  loader: %s", e.message, reason.GetText());
    }
}

std::unique_ptr<MusicTrack> OpenMusic(const std::string& file) {
    try {
        return std::unique_ptr<MusicTrack>(new MusicTrack(file));
    } catch (const Ombrel::Exception& e) {
        throw Ombrel::Exception("%s\n  music: %s is missing, empty, cut short or not Ogg Vorbis",
                                e.message, file.c_str());
    }
}

// Each frame read back goes to be encoded with its own samples of the music.
class FrameAndSound final : public FrameSink {
public:
    FrameAndSound(EncodingQueue& encoder, MusicTrack& track, const FrameClock& frameClock)
        : written(0),
          queue(encoder),
          music(track),
          clock(frameClock),
          sound(2 * static_cast<std::size_t>(frameClock.MostSamplesPerFrame())) {}

    void TakeFrame(const std::uint8_t* bgra) override {
        int samples = static_cast<int>(clock.FirstSample(written + 1) - clock.FirstSample(written));
        music.Read(sound.data(), samples);
        queue.Push(bgra, sound.data(), samples);
        ++written;
    }

    std::int64_t written;

private:
    EncodingQueue& queue;
    MusicTrack& music;
    const FrameClock& clock;
    std::vector<float> sound;
};

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

// Frames back to back at the fixed rate: draw, read back, present. Returns
// the message of the frame that threw, empty when every frame was drawn or
// Ctrl-C came first.
std::string RenderFrames(DemoGraph& graph, FrameReader& reader, FrameAndSound& sink,
                         const FrameClock& clock, std::int64_t frames, ProgressLine& progress) {
    for (std::int64_t frame = 0; frame < frames && !Interrupted(); ++frame) {
        try {
            graph.DrawFrame(clock.Seconds(frame));
        } catch (const Ombrel::Exception& e) {
            reader.Drain(sink);
            return e.message;
        }
        reader.Read(sink);
        try {
            graph.PresentFrame();
        } catch (const Ombrel::Exception& e) {
            // A closed window takes its context and the frames still in it.
            reader.Abandon();
            return e.message;
        }
        progress.Show(sink.written);
    }
    reader.Drain(sink);
    return std::string();
}

}  // namespace

CaptureStatus RunCapture(const CaptureOptions& options) {
    CatchInterruptions();
    CheckOutputKind(options.output);

    PluginRegistry registry;
    AddPack(registry, DemoFile(options, ScenePackFile));
    AddPack(registry, DemoFile(options, DevicePackFile));
    std::unique_ptr<MusicTrack> music = OpenMusic(DemoFile(options, MusicFile));

    FrameClock clock(options.rateNumerator, options.rateDenominator);
    std::int64_t frames = options.seconds > 0.0 ? clock.FramesFor(options.seconds)
                                                : clock.FramesForSamples(music->CountSamples());
    if (frames < 1) {
        throw Ombrel::Exception("The music %s has no sound: give the length with --seconds",
                                DemoFile(options, MusicFile).c_str());
    }

    Settings chosen = {options.width, options.height, 32, false, options.english};
    DemoGraph graph(registry, chosen);
    // Without its window there is nothing to read back; without OpenGLPrint
    // the window would not be kept responsive.
    if (!graph.calls.initCall.plugin) throw Ombrel::Exception("Plugin %s not found", "OpenGLInit");
    if (!graph.calls.printCall.plugin) {
        throw Ombrel::Exception("Plugin %s not found", "OpenGLPrint");
    }

    MediaFormat format = {options.width,           options.height, options.rateNumerator,
                          options.rateDenominator, options.crf,    options.preset.c_str()};
    std::unique_ptr<MediaWriter> writer = OpenMediaWriter(options.output, format);
    PrivateDisplay display(options.width, options.height);
    WindowSystemUser windowSystem;
    graph.FirstStart();
    FitDemoWindow(options.width, options.height);
    FrameReader reader(options.width, options.height);
    EncodingQueue queue(*writer, 4 * static_cast<std::size_t>(options.width) * options.height,
                        clock.MostSamplesPerFrame());
    FrameAndSound sink(queue, *music, clock);
    ProgressLine progress(IsTerminal(stderr) ? stderr : nullptr, frames);

    std::string stoppedBy = RenderFrames(graph, reader, sink, clock, frames, progress);
    queue.Flush();
    progress.Show(sink.written);
    progress.End();
    graph.StopCalls();

    std::string files = OutputFiles(options.output);
    if (sink.written == 0) {
        if (stoppedBy.empty()) {
            std::fprintf(stderr, "ombrel-capture: interrupted before the first frame\n");
            return windowSystem.status = CaptureInterrupted;
        }
        throw Ombrel::Exception("The demo stopped before its first frame: %s", stoppedBy.c_str());
    }
    writer->Finish();
    double seconds = static_cast<double>(clock.FirstSample(sink.written)) / FrameClock::SampleRate;
    if (sink.written < frames) {
        std::fprintf(stderr,
                     "ombrel-capture: %s at frame %lld of %lld%s%s; %s %s the %.2f s rendered\n",
                     stoppedBy.empty() ? "interrupted" : "the demo stopped",
                     static_cast<long long>(sink.written), static_cast<long long>(frames),
                     stoppedBy.empty() ? "" : ": ", stoppedBy.c_str(), files.c_str(),
                     files == options.output ? "holds" : "hold", seconds);
        return windowSystem.status = stoppedBy.empty() ? CaptureInterrupted : CaptureFailed;
    }
    std::printf(
        "Wrote %s: %lld frames (%.2f s) at %dx%d, %g fps, in %.1f s (%.1f frames per second)\n",
        files.c_str(), static_cast<long long>(sink.written), seconds, options.width, options.height,
        static_cast<double>(options.rateNumerator) / options.rateDenominator, progress.Seconds(),
        progress.Rate(sink.written));
    return windowSystem.status = CaptureDone;
}
