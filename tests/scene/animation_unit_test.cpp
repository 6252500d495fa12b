#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "packs/scene/animation.h"

TEST(Animation, FadeRisesFromBlackToFullAndStays) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(FadeAt(0.0f), 0.0f);
    EXPECT_EQ(FadeAt(-4.0f), 0.0f);
    EXPECT_EQ(FadeAt(nan), 0.0f);
    EXPECT_EQ(FadeAt(FadeSeconds), 1.0f);
    EXPECT_EQ(FadeAt(1.0e7f), 1.0f);
    float previous = 0.0f;
    for (float t = 0.0f; t < FadeSeconds + 1.0f; t += 0.05f) {
        ASSERT_GE(FadeAt(t), previous) << "the fade darkens again at " << t;
        previous = FadeAt(t);
    }
}

TEST(Animation, LevelsClimbToTheDepthAndComeBack) {
    const float step = LevelHoldSeconds + LevelSweepSeconds;
    std::vector<int> shown;
    for (int i = 0; i < 9; ++i) shown.push_back(LevelsAt(i * step + 0.5f, 5).shown);
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 3, 4, 5, 4, 3, 2, 1}));

    for (int depth : {1, 2, 5, 8}) {
        const float infinity = std::numeric_limits<float>::infinity();
        for (float t : {0.0f, 1.9f, 2.5f, 3.1f, 47.3f, 1234.5f, 1.0e7f, -3.0f, infinity, -infinity,
                        std::numeric_limits<float>::quiet_NaN()}) {
            LevelBlend blend = LevelsAt(t, depth);
            ASSERT_GE(blend.shown, 1) << "depth " << depth << " time " << t;
            ASSERT_LE(blend.shown, depth) << "depth " << depth << " time " << t;
            ASSERT_GE(blend.next, 1);
            ASSERT_LE(blend.next, depth);
            ASSERT_LE(std::abs(blend.next - blend.shown), 1);
            ASSERT_GE(blend.sweep, 0.0f);
            ASSERT_LE(blend.sweep, 1.0f);
        }
    }
    LevelBlend sweeping = LevelsAt(LevelHoldSeconds + LevelSweepSeconds / 2, 5);
    EXPECT_EQ(sweeping.shown, 1);
    EXPECT_EQ(sweeping.next, 2);
    EXPECT_GT(sweeping.sweep, 0.0f);
    EXPECT_LT(sweeping.sweep, 1.0f);
}

TEST(Animation, CameraMovesSmoothlyAroundTheSolidWithoutLookingStraightDown) {
    CameraPose previous = CameraAt(0.0f);
    for (float t = 1.0f / 60.0f; t < 600.0f; t += 1.0f / 60.0f) {
        CameraPose pose = CameraAt(t);
        float horizontal = std::hypot(pose.eye[0], pose.eye[2]);
        float distance = std::hypot(horizontal, pose.eye[1]);
        ASSERT_GT(distance, 2.2f) << "the camera enters the scene at " << t;
        ASSERT_LT(distance, 4.5f) << "the camera leaves the scene at " << t;
        ASSERT_GT(horizontal, std::fabs(pose.eye[1])) << "too steep a view at " << t;
        float step =
            std::hypot(pose.eye[0] - previous.eye[0],
                       std::hypot(pose.eye[1] - previous.eye[1], pose.eye[2] - previous.eye[2]));
        ASSERT_LT(step, 0.05f) << "the camera jumps at " << t;
        previous = pose;
    }
    EXPECT_NE(CameraAt(5.0f).eye[0], CameraAt(10.0f).eye[0]);
}

TEST(Animation, SatellitesOrbitOutsideTheSolid) {
    for (int i = 0; i < 256; ++i) {
        Orbit orbit = OrbitAt(i, 12.5f);
        // The rings reach 0.81 from the centre; satellites keep clear.
        ASSERT_GT(orbit.radius - orbit.size * 1.8f, 0.85f) << "satellite " << i;
        ASSERT_LT(orbit.radius, 2.0f) << "satellite " << i;
        ASSERT_GE(orbit.angle, 0.0f);
        ASSERT_LT(orbit.angle, 360.0f);
    }
    EXPECT_NE(OrbitAt(3, 1.0f).angle, OrbitAt(3, 2.0f).angle) << "satellites must move";
}
