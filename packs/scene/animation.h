#pragma once

// The choreography of the scene: where the camera is, how far the picture has
// faded in, which octree levels are shown and where the satellites are, all as
// pure functions of the demo time in seconds. Times below zero, infinite
// times and times that are not numbers count as zero.

// Seconds the picture takes to fade in from black.
const float FadeSeconds = 3.0f;

// 0 at time 0 (black), rising smoothly to 1 at FadeSeconds and after.
float FadeAt(float time);

struct CameraPose {
    float eye[3];
    float target[3];
};

// The camera circles the solid, rising and falling and moving in and out,
// always looking at its centre.
CameraPose CameraAt(float time);

// The octree is shown one level at a time: each level holds for a while, then
// the next one sweeps across it. Levels go up from 1 to the depth and back
// down again, for ever.
struct LevelBlend {
    int shown;    // the level on display
    int next;     // the level sweeping in; equal to `shown` while holding
    float sweep;  // 0 to 1: how much of the solid `next` already covers
};

const float LevelHoldSeconds = 2.0f;
const float LevelSweepSeconds = 1.2f;

LevelBlend LevelsAt(float time, int depth);

// Where satellite `index` is at a time: its circular orbit, tilted by `tilt`
// degrees about an axis that lies `heading` degrees around the y axis, of
// `radius` units of the solid; `angle` degrees along that orbit; and `size`,
// half the satellite's edge. Every satellite keeps its own orbit and speed.
struct Orbit {
    float tilt;
    float heading;
    float radius;
    float angle;
    float size;
};

Orbit OrbitAt(int index, float time);
