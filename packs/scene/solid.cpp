#include "packs/scene/solid.h"

#include <cmath>

namespace {

const float PlanetRadius = 0.38f;
const float RingRadius = 0.72f;
const float RingThickness = 0.085f;
// The rings are tilted 35 degrees either way from the equator.
const float TiltCos = 0.819152f;
const float TiltSin = 0.573576f;

float PlanetDistance(float x, float y, float z) {
    return std::sqrt(x * x + y * y + z * z) - PlanetRadius;
}

// Distance to a ring lying in the plane through the origin whose unit normal
// is (nx, ny, nz).
float RingDistance(float x, float y, float z, float nx, float ny, float nz) {
    float height = x * nx + y * ny + z * nz;
    float px = x - height * nx;
    float py = y - height * ny;
    float pz = z - height * nz;
    float radial = std::sqrt(px * px + py * py + pz * pz) - RingRadius;
    return std::sqrt(radial * radial + height * height) - RingThickness;
}

}  // namespace

float Solid::Distance(float x, float y, float z) const {
    // The union of shapes given by distance bounds is bounded by the nearest.
    float rings = std::fmin(RingDistance(x, y, z, TiltSin, TiltCos, 0.0f),
                            RingDistance(x, y, z, -TiltSin, TiltCos, 0.0f));
    return std::fmin(PlanetDistance(x, y, z), rings);
}

Solid::Part Solid::NearestPart(float x, float y, float z) const {
    float planet = PlanetDistance(x, y, z);
    float first = RingDistance(x, y, z, TiltSin, TiltCos, 0.0f);
    float second = RingDistance(x, y, z, -TiltSin, TiltCos, 0.0f);
    if (planet <= first && planet <= second) return Planet;
    return first <= second ? FirstRing : SecondRing;
}
