#include "programs/live/timeline_state.h"

#include "programs/live/json_writer.h"

namespace Ombrel::Live {

std::string TimelineState::Json() const {
    JsonWriter json;
    json.Open('{');
    json.Key("time").Number(time);
    json.Key("playing").Bool(playing);
    json.Key("speed").Number(speed);
    json.Key("length").Number(length);
    json.Key("loop");
    if (looping) {
        json.Open('{').Key("start").Number(loopStart).Key("end").Number(loopEnd).Close();
    } else {
        json.Null();
    }
    json.Key("end").String(endLoops ? "loop" : "stop");
    json.Key("atEnd").Bool(atEnd);
    json.Key("snap").String(SnapModeName(snap));
    json.Key("frameRate").Number(frameRate);
    json.Key("tempo");
    if (hasTempo) {
        json.Open('{').Key("bpm").Number(tempo.bpm).Key("offset").Number(tempo.offset);
        json.Key("beatsPerBar").Whole(tempo.beatsPerBar).Close();
    } else {
        json.Null();
    }
    json.Key("markers").Open('[');
    for (const Marker& marker : markers)
        json.Open('{').Key("name").String(marker.name).Key("time").Number(marker.time).Close();
    json.Close();
    json.Key("packs").Open('[');
    for (const Pack& pack : packs) {
        json.Open('{').Key("name").String(pack.name).Key("version").Whole(pack.version);
        json.Key("state").String(pack.state).Close();
    }
    json.Close();
    json.Key("lastError").String(lastError);
    json.Key("frameTimes").Open('[');
    for (double milliseconds : frameTimes) json.Number(milliseconds, 1);
    json.Close();
    return json.Close().Text();
}

}  // namespace Ombrel::Live
