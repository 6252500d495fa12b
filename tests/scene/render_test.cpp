// End-to-end: the scene plugins loaded from Vantrope.so draw real frames into
// an OpenGL window on the X display, which are read back and checked.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "packs/scene/octree_scene.h"
#include "tests/support/scene_harness.h"

namespace {

const int Width = 320;
const int Height = 240;

// Every allocation made with new anywhere in the process is counted, the
// pack's included, since the pack's calls resolve to these operators.
long allocations = 0;

}  // namespace

void* operator new(std::size_t size) {
    ++allocations;
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace {

using Frame = std::vector<unsigned char>;

int Brightest(const Frame& frame) {
    int brightest = 0;
    for (unsigned char c : frame) brightest = c > brightest ? c : brightest;
    return brightest;
}

// The share of pixels whose colour differs by more than a rounding step,
// counted over rows [firstRow, lastRow) (row 0 is the bottom).
double ChangedShare(const Frame& a, const Frame& b, int firstRow, int lastRow) {
    long changed = 0;
    long total = 0;
    for (int row = firstRow; row < lastRow; ++row) {
        for (int column = 0; column < Width; ++column, ++total) {
            size_t at = (static_cast<size_t>(row) * Width + column) * 3;
            for (int c = 0; c < 3; ++c) {
                if (std::abs(a[at + c] - b[at + c]) > 2) {
                    ++changed;
                    break;
                }
            }
        }
    }
    return total ? static_cast<double>(changed) / total : 0.0;
}

// The share of pixels clearly brighter than the dark background.
double LitShare(const Frame& frame) {
    long lit = 0;
    for (size_t at = 0; at < frame.size(); at += 3) {
        if (frame[at] + frame[at + 1] + frame[at + 2] > 80) ++lit;
    }
    return static_cast<double>(lit) / (frame.size() / 3);
}

class SceneRendering : public ::testing::Test {
protected:
    void SetUp() override {
        try {
            harness.reset(new SceneHarness(Width, Height));
        } catch (const std::exception& error) {
            FAIL() << "cannot open an OpenGL window for the scene: " << error.what();
        }
    }

    Frame FrameAt(float seconds, int satellites = 32, bool english = true) {
        harness->Draw(seconds, satellites, english);
        Frame frame = harness->ReadBackBuffer();
        harness->Present();
        return frame;
    }

    std::unique_ptr<SceneHarness> harness;
};

TEST_F(SceneRendering, FadesInFromBlackAndThenShowsTheSolid) {
    harness->Load(" SOLVARA RealTime", 5);
    EXPECT_LE(Brightest(FrameAt(0.0f)), 1) << "the first frame must be black";
    Frame halfway = FrameAt(1.5f);
    Frame faded = FrameAt(4.0f);
    EXPECT_GT(Brightest(halfway), 10) << "the picture must be fading in at 1.5 s";
    EXPECT_GT(LitShare(faded), 0.05) << "after the fade the solid must fill part of the frame";
    EXPECT_GT(Brightest(faded), Brightest(halfway)) << "the fade must brighten the picture";
}

TEST_F(SceneRendering, FramesAtDifferentTimesDiffer) {
    harness->Load(" SOLVARA RealTime", 5);
    Frame early = FrameAt(4.0f);
    Frame later = FrameAt(9.5f);
    Frame again = FrameAt(4.0f);
    EXPECT_GT(ChangedShare(early, later, 0, Height), 0.05) << "the camera and the levels must move";
    EXPECT_EQ(ChangedShare(early, again, 0, Height), 0.0)
        << "a time must always give the same frame";
}

TEST_F(SceneRendering, CaptionLanguageFollowsTheFlagAndTheSceneDoesNot) {
    harness->Load(" SOLVARA RealTime", 5);
    Frame english = FrameAt(5.0f, 32, true);
    Frame spanish = FrameAt(5.0f, 32, false);
    // The caption sits in the bottom quarter of the frame.
    EXPECT_GT(ChangedShare(english, spanish, 0, Height / 4), 0.002)
        << "the caption must change with the language";
    EXPECT_EQ(ChangedShare(english, spanish, Height / 4, Height), 0.0)
        << "only the caption may change with the language";
}

TEST_F(SceneRendering, SatelliteCountIsVisible) {
    harness->Load(" SOLVARA RealTime", 5);
    Frame none = FrameAt(6.0f, 0);
    Frame many = FrameAt(6.0f, 64);
    EXPECT_GT(ChangedShare(none, many, Height / 4, Height), 0.003)
        << "satellites must appear above the caption";
    Frame negative = FrameAt(6.0f, -5);
    EXPECT_EQ(ChangedShare(none, negative, 0, Height), 0.0) << "a negative count draws none";
}

TEST_F(SceneRendering, DrawsNothingWithoutOneOfItsScenes) {
    // Before LoadCOctreeScene has run: the scene variable is empty.
    harness->printPlugin->SetArgument(0, &harness->scene.value);
    harness->printPlugin->SetArgument(1, &harness->time.value);
    harness->printPlugin->SetArgument(2, &harness->count.value);
    harness->printPlugin->SetArgument(3, &harness->english.value);
    harness->Fill(1.0f, 0.0f, 0.0f);
    Frame red = harness->ReadBackBuffer();
    harness->Draw(5.0f, 32, true);
    EXPECT_EQ(ChangedShare(red, harness->ReadBackBuffer(), 0, Height), 0.0);

    // A value the pack did not make (here the host's time) is not a scene.
    harness->scene.value = harness->time.value;
    harness->Draw(5.0f, 32, true);
    EXPECT_EQ(ChangedShare(red, harness->ReadBackBuffer(), 0, Height), 0.0);
    harness->scene.value = nullptr;
}

TEST_F(SceneRendering, StopFreesTheSceneAndEmptiesItsVariable) {
    harness->Load(" SOLVARA RealTime", 5);
    ASSERT_NE(harness->scene.value, nullptr);
    harness->loadPlugin->Stop();
    EXPECT_EQ(harness->scene.value, nullptr);
    harness->Fill(0.0f, 0.0f, 1.0f);
    Frame blue = harness->ReadBackBuffer();
    harness->Draw(5.0f, 32, true);
    EXPECT_EQ(ChangedShare(blue, harness->ReadBackBuffer(), 0, Height), 0.0);
}

TEST_F(SceneRendering, DepthIsClampedToOneToEight) {
    harness->Load("low", -3);
    EXPECT_EQ(static_cast<COctreeScene*>(harness->scene.value)->GetDepth(), 1);
    EXPECT_GT(LitShare(FrameAt(4.0f)), 0.05) << "a depth-1 octree still shows its cells";
    harness->Load("high", 40);
    EXPECT_EQ(static_cast<COctreeScene*>(harness->scene.value)->GetDepth(), 8);
}

TEST_F(SceneRendering, DrawingAFrameAllocatesNothing) {
    harness->Load(" SOLVARA RealTime", 5);
    // The first pass lets the OpenGL driver build its code for every state
    // the frames use; the second must then allocate nothing at all.
    long perPass[2];
    for (long& allocated : perPass) {
        long before = allocations;
        for (int frame = 0; frame < 40; ++frame) {
            harness->Draw(0.5f + frame * 0.37f, 32 + frame, frame % 2 == 0);
        }
        allocated = allocations - before;
    }
    EXPECT_EQ(perPass[1], 0) << "the first pass made " << perPass[0];
}

}  // namespace
