#include "programs/live/beat_grid.h"

#include <cmath>

namespace Ombrel::Live {

namespace {

// A time this close before a beat belongs to it: times printed to the
// microsecond and read back fall a hair short of the beat they were on.
const double BeatSlack = 1e-6;

// The grid's beat number `index`, counted from its first beat.
double BeatTime(const BeatGrid& grid, double index) {
    return grid.offset + index * grid.BeatSeconds();
}

}  // namespace

bool ValidGrid(const BeatGrid& grid) {
    return grid.bpm >= SlowestBpm && grid.bpm <= FastestBpm && grid.beatsPerBar >= 1 &&
           grid.beatsPerBar <= MostBeatsPerBar && grid.offset >= 0.0 && grid.offset <= 1e7;
}

double NearestBeat(const BeatGrid& grid, double seconds) {
    double index = std::round((seconds - grid.offset) / grid.BeatSeconds());
    double time = BeatTime(grid, index);
    // The beat before 0 is no place on the timeline: the one after it is.
    if (time < 0.0) time = BeatTime(grid, index + 1.0);
    return time < 0.0 ? 0.0 : time;
}

BeatPlace PlaceOnGrid(const BeatGrid& grid, double seconds) {
    double index = std::floor((seconds - grid.offset + BeatSlack) / grid.BeatSeconds());
    double bars = std::floor(index / grid.beatsPerBar);
    BeatPlace place;
    place.bar = static_cast<long long>(bars) + 1;
    place.beat = static_cast<int>(index - bars * grid.beatsPerBar) + 1;
    return place;
}

std::vector<GridBeat> BeatsBetween(const BeatGrid& grid, double from, double to, int most) {
    std::vector<GridBeat> beats;
    if (from < 0.0) from = 0.0;
    double first = std::ceil((from - grid.offset - BeatSlack) / grid.BeatSeconds());
    for (double index = first; static_cast<int>(beats.size()) < most; index += 1.0) {
        double time = BeatTime(grid, index);
        if (time > to + BeatSlack) break;
        GridBeat beat;
        beat.time = time;
        beat.barStart = std::fmod(index, grid.beatsPerBar) == 0.0;
        beats.push_back(beat);
    }
    return beats;
}

double NearestFrame(double seconds, double frameRate) {
    double time = std::round(seconds * frameRate) / frameRate;
    return time < 0.0 ? 0.0 : time;
}

const char* SnapModeName(SnapMode mode) {
    switch (mode) {
        case SnapMode::Beats:
            return "beats";
        case SnapMode::Frames:
            return "frames";
        case SnapMode::Off:
            break;
    }
    return "off";
}

double Snap(SnapMode mode, const BeatGrid* grid, double frameRate, double seconds) {
    if (mode == SnapMode::Frames) return NearestFrame(seconds, frameRate);
    if (mode == SnapMode::Beats && grid != nullptr) return NearestBeat(*grid, seconds);
    return seconds;
}

}  // namespace Ombrel::Live
