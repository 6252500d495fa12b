#include "packs/scene/animation.h"

#include <cmath>

namespace {

// An infinite time would make every phase a NaN, and the level shown an index
// far outside the levels.
float Sanitized(float time) {
    return time > 0.0f && std::isfinite(time) ? time : 0.0f;
}  // false for NaN too

float SmoothStep(float x) {
    if (x <= 0.0f) return 0.0f;
    if (x >= 1.0f) return 1.0f;
    return x * x * (3.0f - 2.0f * x);
}

// A repeatable pseudo-random number in [0, 1) for satellite `index`.
float Scatter(int index, unsigned salt) {
    unsigned h = static_cast<unsigned>(index) * 2654435761u ^ salt * 40503u;
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    return static_cast<float>(h & 0xFFFFFFu) / 16777216.0f;
}

}  // namespace

float FadeAt(float time) {
    return SmoothStep(Sanitized(time) / FadeSeconds);
}

CameraPose CameraAt(float time) {
    // Work in double: the time keeps growing for as long as the demo runs.
    double t = Sanitized(time);
    double angle = 0.23 * t + 0.6;
    double distance = 3.1 + 0.45 * std::sin(0.17 * t);
    double height = 1.1 * std::sin(0.11 * t + 0.4);
    CameraPose pose;
    pose.eye[0] = static_cast<float>(distance * std::cos(angle));
    pose.eye[1] = static_cast<float>(height);
    pose.eye[2] = static_cast<float>(distance * std::sin(angle));
    pose.target[0] = 0.0f;
    pose.target[1] = 0.0f;
    pose.target[2] = 0.0f;
    return pose;
}

LevelBlend LevelsAt(float time, int depth) {
    if (depth <= 1) return LevelBlend{1, 1, 0.0f};
    const double step = LevelHoldSeconds + LevelSweepSeconds;
    // One cycle climbs from level 1 to the depth and comes back down.
    int stepsPerCycle = 2 * (depth - 1);
    double t = std::fmod(static_cast<double>(Sanitized(time)), step * stepsPerCycle);
    int index = static_cast<int>(t / step);
    if (index >= stepsPerCycle) index = stepsPerCycle - 1;  // rounding at the cycle's end
    double within = t - index * step;
    auto levelOfStep = [depth](int i) { return i < depth ? 1 + i : 2 * depth - 1 - i; };
    int shown = levelOfStep(index);
    int next = levelOfStep((index + 1) % stepsPerCycle);
    if (within < LevelHoldSeconds) return LevelBlend{shown, shown, 0.0f};
    float sweep = SmoothStep(static_cast<float>((within - LevelHoldSeconds) / LevelSweepSeconds));
    return LevelBlend{shown, next, sweep};
}

Orbit OrbitAt(int index, float time) {
    double t = Sanitized(time);
    Orbit orbit;
    orbit.tilt = -60.0f + 120.0f * Scatter(index, 1);
    orbit.heading = 360.0f * Scatter(index, 2);
    orbit.radius = 1.15f + 0.55f * Scatter(index, 3);
    // Inner satellites run faster, as they would around a planet.
    double speed = (40.0 + 50.0 * Scatter(index, 4)) / orbit.radius;
    double angle = std::fmod(360.0 * Scatter(index, 5) + speed * t, 360.0);
    orbit.angle = static_cast<float>(angle);
    orbit.size = 0.025f + 0.03f * Scatter(index, 6);
    return orbit;
}
