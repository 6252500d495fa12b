#include "tools/capture/capture_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "foundation/exception.h"

namespace {

const double LongestCapture = 24 * 3600.0;
const int LargestCrf = 51;
const int MostGpu = 1023;
const char* const Presets[] = {"ultrafast", "superfast", "veryfast", "faster",   "fast",
                               "medium",    "slow",      "slower",   "veryslow", "placebo"};

// A whole number in [low, high] that is the whole text; false otherwise.
bool ReadInt(const char* text, long low, long high, int* value) {
    char* end = nullptr;
    errno = 0;
    long read = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || read < low || read > high) return false;
    *value = static_cast<int>(read);
    return true;
}

int Gcd(long long a, long long b) {
    while (b != 0) {
        long long rest = a % b;
        a = b;
        b = rest;
    }
    return static_cast<int>(a);
}

bool ReadSize(const char* text, CaptureOptions* options) {
    const char* x = std::strpbrk(text, "xX");
    if (x == nullptr) return false;
    std::string width(text, x);
    int w = 0, h = 0;
    if (!ReadInt(width.c_str(), SmallestSide, LargestSide, &w) ||
        !ReadInt(x + 1, SmallestSide, LargestSide, &h) || w % 2 != 0 || h % 2 != 0) {
        return false;
    }
    options->width = w;
    options->height = h;
    return true;
}

// "60", "60000/1001" or "29.97" (read as 2997/100), kept in lowest terms.
bool ReadRate(const char* text, CaptureOptions* options) {
    long long numerator = 0, denominator = 1;
    const char* slash = std::strchr(text, '/');
    const char* point = std::strchr(text, '.');
    int whole = 0, part = 0;
    if (slash != nullptr) {
        std::string top(text, slash);
        if (!ReadInt(top.c_str(), 1, 1000000, &whole) || !ReadInt(slash + 1, 1, 1000000, &part)) {
            return false;
        }
        numerator = whole;
        denominator = part;
    } else if (point != nullptr) {
        std::string top(text, point);
        std::size_t digits = std::strlen(point + 1);
        if (!ReadInt(top.c_str(), 0, LargestRate, &whole) || digits < 1 || digits > 4 ||
            !ReadInt(point + 1, 0, 9999, &part) || point[1] == '-' || point[1] == '+') {
            return false;
        }
        denominator = static_cast<long long>(std::pow(10.0, static_cast<double>(digits)) + 0.5);
        numerator = whole * denominator + part;
    } else {
        if (!ReadInt(text, 1, LargestRate, &whole)) return false;
        numerator = whole;
    }
    if (numerator < denominator || numerator > LargestRate * denominator) return false;
    int divisor = Gcd(numerator, denominator);
    options->rateNumerator = static_cast<int>(numerator / divisor);
    options->rateDenominator = static_cast<int>(denominator / divisor);
    return true;
}

bool ReadSeconds(const char* text, double* seconds) {
    char* end = nullptr;
    double read = std::strtod(text, &end);
    if (end == text || *end != '\0' || !std::isfinite(read) || read <= 0.0 ||
        read > LongestCapture) {
        return false;
    }
    *seconds = read;
    return true;
}

}  // namespace

CaptureOptions ParseCaptureOptions(int count, const char* const* arguments) {
    CaptureOptions options;
    for (int i = 0; i < count; ++i) {
        std::string name = arguments[i];
        std::string value;
        bool hasValue = false;
        std::size_t equals = name.find('=');
        if (name.compare(0, 2, "--") == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.erase(equals);
            hasValue = true;
        }
        if (name == "-h" || name == "--help") {
            options.help = true;
            continue;
        }
        if (name == "--english" || name == "--join" || name == "--frame-count") {
            if (hasValue) throw Ombrel::Exception("%s takes no value", name.c_str());
            if (name == "--english") options.english = true;
            if (name == "--join") options.join = true;
            if (name == "--frame-count") options.frameCount = true;
            continue;
        }
        if (name.empty() || name[0] != '-') {
            options.segments.push_back(name);
            continue;
        }
        bool known = name == "-o" || name == "--output" || name == "--size" || name == "--fps" ||
                     name == "--seconds" || name == "--crf" || name == "--preset" ||
                     name == "--demo" || name == "--frames" || name == "--gpu";
        if (!known) throw Ombrel::Exception("Unknown option: %s", arguments[i]);
        if (!hasValue) {
            if (i + 1 == count) throw Ombrel::Exception("%s needs a value", name.c_str());
            value = arguments[++i];
        }
        const char* text = value.c_str();
        if (name == "-o" || name == "--output") {
            if (value.empty()) throw Ombrel::Exception("%s needs a file name", name.c_str());
            options.output = value;
        } else if (name == "--size") {
            if (!ReadSize(text, &options)) {
                throw Ombrel::Exception(
                    "--size %s: give WIDTHxHEIGHT, even numbers from %d to %d (e.g. 1280x720)",
                    text, SmallestSide, LargestSide);
            }
        } else if (name == "--fps") {
            if (!ReadRate(text, &options)) {
                throw Ombrel::Exception(
                    "--fps %s: give frames per second from 1 to %d, as N, N/D or a decimal "
                    "(e.g. 60, 60000/1001, 29.97)",
                    text, LargestRate);
            }
        } else if (name == "--seconds") {
            if (!ReadSeconds(text, &options.seconds)) {
                throw Ombrel::Exception("--seconds %s: give a length above 0 and up to %.0f", text,
                                        LongestCapture);
            }
        } else if (name == "--crf") {
            if (!ReadInt(text, 0, LargestCrf, &options.crf)) {
                throw Ombrel::Exception("--crf %s: give a quality from 0 (lossless) to %d", text,
                                        LargestCrf);
            }
        } else if (name == "--preset") {
            bool found = false;
            std::string names;
            for (const char* preset : Presets) {
                found = found || value == preset;
                names += std::string(names.empty() ? "" : ", ") + preset;
            }
            if (!found) {
                throw Ombrel::Exception("--preset %s: give one of %s", text, names.c_str());
            }
            options.preset = value;
        } else if (name == "--frames") {
            if (!ReadFrameRange(text, &options.frames)) {
                throw Ombrel::Exception(
                    "--frames %s: give FIRST-LAST, frame numbers of the whole video from 0 "
                    "(e.g. 0-599)",
                    text);
            }
            options.segment = true;
        } else if (name == "--gpu") {
            if (!ReadInt(text, 0, MostGpu, &options.gpu)) {
                throw Ombrel::Exception("--gpu %s: give a GPU's number from 0 to %d", text,
                                        MostGpu);
            }
        } else {
            options.demoFolder = value;
        }
    }
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
    return "usage: ombrel-capture -o FILE [--size WxH] [--fps N | N/D] [--english]\n"
           "                      [--seconds S] [--crf N] [--preset NAME] [--demo FOLDER]\n"
           "                      [--frames FIRST-LAST | --frame-count] [--gpu N]\n"
           "       ombrel-capture --join -o FILE [--demo FOLDER] SEGMENT...\n"
           "\n"
           "Renders the demo frame by frame at a fixed rate, with its music, into FILE.\n"
           "  -o FILE        the video to write (an existing file is replaced at the end)\n"
           "  --size WxH     the frame size, even numbers (default 1280x720)\n"
           "  --fps RATE     frames per second: 60, 30, 60000/1001, 29.97 (default 60)\n"
           "  --english      the demo's texts in English (the setup dialog's choice)\n"
           "  --seconds S    the length to render (default: the music's length)\n"
           "  --crf N        H.264 quality, 0 (lossless) to 51 (default 18; lower is better)\n"
           "  --preset NAME  H.264 speed against size: ultrafast (default) to placebo\n"
           "  --demo FOLDER  the demo's folder with its packs and Data/audio.ogg (default:\n"
           "                 the packs beside this program, ./Data/audio.ogg)\n"
           "  --gpu N        without DISPLAY, draw on GPU N through EGL (default: the GPU\n"
           "                 Slurm gave the task, else the first GPU, else the processor)\n"
           "\n"
           "Split rendering, for many machines: each renders a range of the whole video's\n"
           "frames to a segment, and --join makes the video of them with the music.\n"
           "  --frames FIRST-LAST  render frames FIRST to LAST (from 0) as a segment: the\n"
           "                 picture only, FILE .mkv (or .y4m)\n"
           "  --frame-count  print the number of frames of the whole video and stop\n"
           "  --join SEGMENT...  join the segments, which must hold every frame once, into\n"
           "                 FILE without encoding the picture again; the music is\n"
           "                 encoded once for the whole length\n";
}
