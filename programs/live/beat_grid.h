#pragma once

#include <vector>

namespace Ombrel::Live {

// The music's beat grid as the author gives it (tempo, the first beat, beats
// per bar), and the snapping of times to its beats or to the picture's frames.

struct BeatGrid {
    double bpm = 120.0;   // beats per minute
    double offset = 0.0;  // the first beat, in seconds
    int beatsPerBar = 4;

    double BeatSeconds() const { return 60.0 / bpm; }
};

// The grids an author may give: tempo 20 to 400, 1 to 32 beats a bar, the
// first beat at 0 or later.
const double SlowestBpm = 20.0;
const double FastestBpm = 400.0;
const int MostBeatsPerBar = 32;
bool ValidGrid(const BeatGrid& grid);

// Where a time falls on the grid: its bar and its beat in the bar, both from
// 1 at the first beat (before it, bars count 0, -1, ...).
struct BeatPlace {
    long long bar = 1;
    int beat = 1;
};

// One beat of the grid, for drawing it.
struct GridBeat {
    double time = 0.0;
    bool barStart = false;  // the first beat of its bar
};

// The beat nearest `seconds`, not before 0 (the grid goes on before its first
// beat, one beat apart).
double NearestBeat(const BeatGrid& grid, double seconds);

// The bar and beat in which `seconds` falls: a time just before a beat (by
// less than a microsecond) counts as that beat.
BeatPlace PlaceOnGrid(const BeatGrid& grid, double seconds);

// The beats from `from` to `to`, both included, in order, not before 0; at
// most `most` of them, the first ones.
std::vector<GridBeat> BeatsBetween(const BeatGrid& grid, double from, double to, int most = 10000);

// The start of the frame nearest `seconds` at `frameRate` frames a second.
double NearestFrame(double seconds, double frameRate);

// What seek and the loop's ends are snapped to.
enum class SnapMode { Off, Beats, Frames };

const char* SnapModeName(SnapMode mode);  // "off", "beats", "frames"

// `seconds` snapped as `mode` says; beats need a grid (`grid` null: the time
// as it is).
double Snap(SnapMode mode, const BeatGrid* grid, double frameRate, double seconds);

}  // namespace Ombrel::Live
