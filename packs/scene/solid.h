#pragma once

// The procedural solid that the octree is built around: a planet with two
// crossed rings, centred in the cube from -1 to 1 on every axis. Its outline
// changes with every viewing angle, so it reads well while the camera moves.
class Solid {
public:
    // Signed distance bound from (x, y, z) to the surface: negative inside,
    // positive outside, and never larger in magnitude than the true distance,
    // so a cube whose centre lies further from the surface than its half
    // diagonal is certainly entirely inside or entirely outside.
    float Distance(float x, float y, float z) const;

    // Which part of the solid lies nearest to (x, y, z), for colouring.
    enum Part { Planet, FirstRing, SecondRing };
    Part NearestPart(float x, float y, float z) const;
};
