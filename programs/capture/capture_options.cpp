#include "programs/capture/capture_options.h"

#include <string>
#include <vector>

#include "foundation/exception.h"

namespace {

using Ombrel::Tools::Option;

const double LongestCapture = 24 * 3600.0;
const int LargestCrf = 51;
const int MostGpu = 1023;
const char* const Presets[] = {"ultrafast", "superfast", "veryfast", "faster",   "fast",
                               "medium",    "slow",      "slower",   "veryslow", "placebo"};

std::string PresetNames() {
    std::string names;
    for (const char* preset : Presets) names += std::string(names.empty() ? "" : ", ") + preset;
    return names;
}

bool ReadEvenSize(const std::string& text, CaptureOptions& options) {
    int width = 0, height = 0;
    if (!Ombrel::Tools::ReadSize(text, width, height) || width % 2 != 0 || height % 2 != 0)
        return false;
    options.width = width;
    options.height = height;
    return true;
}

bool ReadPreset(const std::string& text, CaptureOptions& options) {
    for (const char* preset : Presets) {
        if (text != preset) continue;
        options.preset = text;
        return true;
    }
    return false;
}

bool ReadFrames(const std::string& text, CaptureOptions& options) {
    if (!ReadFrameRange(text.c_str(), &options.frames)) return false;
    options.segment = true;
    return true;
}

// The one table of the options: the reading and the usage are made from it.
std::vector<Option> CaptureTable(CaptureOptions& o) {
    using namespace Ombrel::Tools;
    const std::string sides = std::to_string(SmallestSide) + " to " + std::to_string(LargestSide);
    return {
        Option("-o", "FILE", "the video to write (an existing file is replaced at the end)",
               TakeText(o.output))
            .Alias("--output")
            .Refusal("{option} needs a file name"),
        Option("--size", "WxH", "the frame size, even numbers (default 1280x720)",
               [&o](const std::string& v) { return ReadEvenSize(v, o); })
            .Refusal("--size {value}: give WIDTHxHEIGHT, even numbers from " + sides +
                     " (e.g. 1280x720)"),
        Option(
            "--fps", "RATE", "frames per second: 60, 30, 60000/1001, 29.97 (default 60)",
            [&o](const std::string& v) { return ReadRate(v, o.rateNumerator, o.rateDenominator); })
            .Refusal("--fps {value}: give frames per second from 1 to " +
                     std::to_string(LargestRate) +
                     ", as N, N/D or a decimal (e.g. 60, 60000/1001, 29.97)"),
        Option("--english", "", "the demo's texts in English (the setup dialog's choice)",
               SetFlag(o.english)),
        Option(
            "--seconds", "S", "the length to render (default: the music's length)",
            [&o](const std::string& v) { return ReadSeconds(v, LongestCapture, false, o.seconds); })
            .Refusal("--seconds {value}: give a length above 0 and up to " +
                     std::to_string(static_cast<long>(LongestCapture))),
        Option("--crf", "N", "H.264 quality, 0 (lossless) to 51 (default 18; lower is better)",
               [&o](const std::string& v) { return ReadInteger(v, 0, LargestCrf, o.crf); })
            .Refusal("--crf {value}: give a quality from 0 (lossless) to " +
                     std::to_string(LargestCrf)),
        Option("--preset", "NAME", "H.264 speed against size: ultrafast (default) to placebo",
               [&o](const std::string& v) { return ReadPreset(v, o); })
            .Refusal("--preset {value}: give one of " + PresetNames()),
        Option("--demo", "FOLDER",
               "the demo's folder with its packs and Data/audio.ogg (default:\n"
               "the packs beside this program, ./Data/audio.ogg)",
               TakeWord(o.demoFolder)),
        Option("--gpu", "N",
               "without DISPLAY, draw on GPU N through EGL (default: the GPU\n"
               "Slurm gave the task, else the first GPU, else the processor)",
               [&o](const std::string& v) { return ReadInteger(v, 0, MostGpu, o.gpu); })
            .Refusal("--gpu {value}: give a GPU's number from 0 to " + std::to_string(MostGpu)),
        Option("\n"
               "Split rendering, for many machines: each renders a range of the whole video's\n"
               "frames to a segment, and --join makes the video of them with the music.\n"),
        Option("--frames", "FIRST-LAST",
               "render frames FIRST to LAST (from 0) as a segment: the\n"
               "picture only, FILE .mkv (or .y4m)",
               [&o](const std::string& v) { return ReadFrames(v, o); })
            .Refusal("--frames {value}: give FIRST-LAST, frame numbers of the whole video from 0 "
                     "(e.g. 0-599)"),
        Option("--frame-count", "", "print the number of frames of the whole video and stop",
               SetFlag(o.frameCount)),
        Option("--join", "",
               "join the segments, which must hold every frame once, into\n"
               "FILE without encoding the picture again; the music is\n"
               "encoded once for the whole length",
               SetFlag(o.join))
            .Form("--join SEGMENT..."),
        Option("--help", "", "", SetFlag(o.help)).Alias("-h"),
    };
}

Ombrel::Tools::Wording CaptureWording(CaptureOptions& options) {
    Ombrel::Tools::Wording wording;
    wording.unknown = "Unknown option: {argument}";
    wording.needsValue = "{option} needs a value";
    wording.noValue = "{option} takes no value";
    wording.equalsForm = true;
    wording.word = [&options](const std::string& segment) { options.segments.push_back(segment); };
    return wording;
}

}  // namespace

CaptureOptions ParseCaptureOptions(int count, const char* const* arguments) {
    CaptureOptions options;
    Ombrel::Tools::ReadOptions(std::vector<std::string>(arguments, arguments + count),
                               CaptureTable(options), CaptureWording(options));
    if (options.help) return options;
    if (options.join && (options.segment || options.frameCount)) {
        throw Ombrel::Exception("--join takes no %s",
                                options.segment ? "--frames" : "--frame-count");
    }
    if (!options.join && !options.segments.empty()) {
        throw Ombrel::Exception("Unknown argument: %s (segments are joined with --join)",
                                options.segments.front().c_str());
    }
    if (options.join && options.segments.empty()) {
        throw Ombrel::Exception("--join needs the segments to join: --join -o FILE SEGMENT...");
    }
    if (options.output.empty() && !options.frameCount) {
        throw Ombrel::Exception("No output file: give -o FILE");
    }
    return options;
}

const char* CaptureUsage() {
    static const std::string usage = [] {
        CaptureOptions unused;
        return "usage: ombrel-capture -o FILE [--size WxH] [--fps N | N/D] [--english]\n"
               "                      [--seconds S] [--crf N] [--preset NAME] [--demo FOLDER]\n"
               "                      [--frames FIRST-LAST | --frame-count] [--gpu N]\n"
               "       ombrel-capture --join -o FILE [--demo FOLDER] SEGMENT...\n"
               "\n"
               "Renders the demo frame by frame at a fixed rate, with its music, into FILE.\n" +
               Ombrel::Tools::OptionLines(CaptureTable(unused), 17);
    }();
    return usage.c_str();
}
