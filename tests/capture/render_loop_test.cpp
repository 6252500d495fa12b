// The capture's frame loop with a stand-in for the demo and the read-back:
// which time each frame is drawn at, and how many samples of the music each
// frame that reaches the writer carries, for a whole video, a segment and a
// demo that fails midway.
#include "programs/capture/render_loop.h"

#include <gtest/gtest.h>

#include <vector>

#include "foundation/exception.h"
#include "tests/capture/counting_writer.h"
#include "programs/capture/encoding_queue.h"

namespace {

// Draws nothing; notes each time it is given, and throws at the frame times
// it is told to.
class NotedDrawing final : public FrameDrawing {
public:
    void Draw(float seconds) override {
        times.push_back(seconds);
        if (static_cast<int>(times.size()) == failAtDraw) throw Ombrel::Exception("draw failed");
    }
    void Present() override {
        if (static_cast<int>(times.size()) == failAtPresent)
            throw Ombrel::Exception("window closed");
    }
    std::vector<float> times;
    int failAtDraw = -1;
    int failAtPresent = -1;
};

// Hands each frame on one frame late, as the asynchronous read-back does.
class LateReadback final : public FrameReadback {
public:
    void Read(FrameSink& sink) override {
        if (waiting) sink.TakeFrame(pixel);
        waiting = true;
    }
    void Drain(FrameSink& sink) override {
        if (waiting) sink.TakeFrame(pixel);
        waiting = false;
    }
    void Abandon() override { waiting = false; }

private:
    bool waiting = false;
    std::uint8_t pixel[4] = {0};
};

struct Capture {
    std::string stoppedBy;
    std::vector<float> times;
    CountingWriter writer;
};

void Render(Capture& capture, NotedDrawing& drawing, const FrameClock& clock, FrameRange frames,
            bool withMusic) {
    MusicTrack music(CLICK_TRACK);
    EncodingQueue queue(capture.writer, 4, clock.MostSamplesPerFrame());
    FrameAndSound sink(queue, withMusic ? &music : nullptr, clock, frames.first);
    LateReadback reader;
    ProgressLine progress(nullptr, frames.Count());
    capture.stoppedBy = RenderFrames(drawing, reader, sink, clock, frames, progress);
    queue.Flush();
    capture.times = drawing.times;
}

}  // namespace

TEST(RenderFrames, DrawsEachFrameAtItsOwnTimeAndHandsOnItsOwnSamples) {
    const FrameClock ntsc(60000, 1001);
    NotedDrawing drawing;
    Capture whole;
    Render(whole, drawing, ntsc, {0, 119}, true);
    EXPECT_EQ(whole.stoppedBy, "");
    ASSERT_EQ(whole.times.size(), 120u);
    for (int n = 0; n < 120; ++n)
        EXPECT_FLOAT_EQ(whole.times[n], static_cast<float>(ntsc.Seconds(n))) << "frame " << n;
    ASSERT_EQ(whole.writer.frames, 120) << "the last frame is drained, not lost";
    for (int n = 0; n < 120; ++n) EXPECT_EQ(whole.writer.sound[n], ntsc.Samples(n));

    NotedDrawing later;
    Capture segment;
    Render(segment, later, ntsc, {600, 609}, false);
    ASSERT_EQ(segment.times.size(), 10u);
    EXPECT_FLOAT_EQ(segment.times[0], static_cast<float>(ntsc.Seconds(600)))
        << "a segment's frames keep the whole video's times";
    EXPECT_EQ(segment.writer.frames, 10);
    for (int samples : segment.writer.sound) EXPECT_EQ(samples, 0);
}

TEST(RenderFrames, KeepsTheFramesBeforeAFailureAndNamesIt) {
    const FrameClock clock(60, 1);
    struct Case {
        int failAtDraw, failAtPresent;
        const char* message;
        int frames;  // handed on: those drawn before; not the one the closed window held
    };
    for (const Case& c : {Case{5, -1, "draw failed", 4}, Case{-1, 5, "window closed", 4}}) {
        NotedDrawing drawing;
        drawing.failAtDraw = c.failAtDraw;
        drawing.failAtPresent = c.failAtPresent;
        Capture failed;
        Render(failed, drawing, clock, {0, 59}, true);
        EXPECT_EQ(failed.stoppedBy, c.message);
        ASSERT_EQ(failed.writer.frames, c.frames) << c.message;
        for (int n = 0; n < c.frames; ++n) EXPECT_EQ(failed.writer.sound[n], clock.Samples(n));
    }
}
