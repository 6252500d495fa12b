#include "programs/live/live_status.h"

#include <cstdio>

#include "programs/live/json_writer.h"

namespace Ombrel::Live {

namespace {

std::string Number(double value, const char* format = "%.3f") {
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

std::string LiveStatus::Json() const {
    std::string json = "{\"time\":" + Number(time, "%.6f");
    json += ",\"playing\":";
    json += playing ? "true" : "false";
    json += ",\"loop\":";
    json +=
        looping ? "[" + Number(loopStart, "%.6f") + "," + Number(loopEnd, "%.6f") + "]" : "null";
    json += ",\"loop_start\":" + (hasLoopStart ? Number(loopStart, "%.6f") : std::string("null"));
    json += ",\"loop_end\":" + (hasLoopEnd ? Number(loopEnd, "%.6f") : std::string("null"));
    json += ",\"fps\":" + Number(fps, "%.1f");
    json += ",\"packs\":[";
    for (std::size_t i = 0; i < packs.size(); ++i) {
        if (i > 0) json += ",";
        json += "{\"file\":" + JsonString(packs[i].file) +
                ",\"version\":" + std::to_string(packs[i].version) +
                ",\"state\":" + JsonString(packs[i].state) + "}";
    }
    json += "],\"error\":" + (error.empty() ? std::string("null") : JsonString(error));
    json += ",\"build_output\":" +
            (buildOutput.empty() ? std::string("null") : JsonString(buildOutput));
    json += ",\"warnings\":[";
    for (std::size_t i = 0; i < warnings.size(); ++i)
        json += (i > 0 ? "," : "") + JsonString(warnings[i]);
    json += "],\"pid\":" + std::to_string(pid);
    json += ",\"control\":" + JsonString(control);
    json += ",\"private_folder\":" + JsonString(folder);
    json += ",\"music\":{\"output\":";
    json += musicOutput ? "true" : "false";
    json += ",\"offset_ms\":" + Number(musicOffsetMs);
    json += ",\"resyncs\":" + std::to_string(musicResyncs) + "}";
    json += ",\"resident_kb\":" + std::to_string(residentKb);
    json += ",\"open_handles\":" + std::to_string(openHandles);
    json += ",\"private_files\":" + std::to_string(privateFiles);
    json += ",\"frames\":" + std::to_string(frames);
    json += ",\"reload_shown_ns\":" + std::to_string(reloadShownNs);
    json += ",\"jump_shown_ns\":" + std::to_string(jumpShownNs);
    return json + "}";
}

std::string LiveStatus::Changes() const {
    std::string changes = playing ? "playing" : "paused";
    if (looping) changes += " loop " + Number(loopStart, "%.2f") + "-" + Number(loopEnd, "%.2f");
    for (const Pack& pack : packs)
        changes += " " + pack.file + ":" + std::to_string(pack.version) + ":" + pack.state;
    return changes + " | " + error.substr(0, error.find('\n'));
}

std::string LiveStatus::Line() const {
    std::string line = Number(time, "%.2f") + " s " + (playing ? "playing" : "paused");
    if (speed != 1.0) line += " at " + Number(speed, "%g") + "x";
    if (atEnd) line += "  end of the music";
    if (looping) {
        line += "  loop " + Number(loopStart, "%.2f") + "-" + Number(loopEnd, "%.2f");
    } else if (hasLoopStart) {
        line += "  loop " + Number(loopStart, "%.2f") + "-?";
    }
    line += "  " + Number(fps, "%.0f") + " fps";
    if (!error.empty()) {
        std::string first = error.substr(0, error.find('\n'));
        line += "  | " + first;
    }
    return line;
}

}  // namespace Ombrel::Live
