// Split rendering's portable parts: frame ranges, segment tags, the order and
// coverage of segments, the frames and samples of a capture, Y4M segments.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/exception.h"
#include "tests/capture/counting_writer.h"
#include "tests/foundation/test_support.h"
#include "programs/capture/capture_options.h"
#include "programs/capture/capture_plan.h"
#include "programs/capture/encoding_queue.h"
#include "programs/capture/frame_and_sound.h"
#include "programs/capture/segment_check.h"
#include "programs/capture/y4m_segment.h"
#include "programs/capture/y4m_wav_writer.h"

namespace {

CaptureOptions ParseSplit(std::vector<const char*> arguments) {
    return ParseCaptureOptions(static_cast<int>(arguments.size()), arguments.data());
}

SegmentFile Segment(const char* path, std::int64_t first, std::int64_t last,
                    std::int64_t total = 100, int width = 320) {
    SegmentFile segment;
    segment.path = path;
    segment.tag.frames = {first, last};
    segment.tag.total = total;
    segment.tag.rateNumerator = 30;
    segment.tag.width = width;
    segment.tag.height = 240;
    segment.tag.crf = 18;
    segment.tag.preset = "ultrafast";
    return segment;
}

}  // namespace

TEST(SplitOptions, ReadRangesAndJoinsAndRefuseWhatDoesNotFit) {
    CaptureOptions segment = ParseSplit({"--frames", "600-1199", "-o", "s.mkv"});
    EXPECT_TRUE(segment.segment);
    EXPECT_EQ(segment.frames.first, 600);
    EXPECT_EQ(segment.frames.Count(), 600);
    CaptureOptions join = ParseSplit({"--join", "-o", "v.mp4", "b.mkv", "a.mkv"});
    EXPECT_TRUE(join.join);
    EXPECT_EQ(join.segments, (std::vector<std::string>{"b.mkv", "a.mkv"}));
    EXPECT_TRUE(ParseSplit({"--frame-count", "--seconds", "3"}).frameCount) << "needs no output";

    const struct {
        std::vector<const char*> arguments;
        const char* named;
    } cases[] = {
        {{"-o", "s.mkv", "--frames", "10-9"}, "--frames 10-9"},
        {{"-o", "s.mkv", "--frames", "-1-9"}, "--frames -1-9"},
        {{"-o", "s.mkv", "--frames", "5"}, "--frames 5"},
        {{"-o", "s.mkv", "--frames", "1-2x"}, "--frames 1-2x"},
        {{"-o", "v.mp4", "a.mkv"}, "Unknown argument: a.mkv"},
        {{"--join", "-o", "v.mp4"}, "--join needs the segments"},
        {{"--join", "-o", "v.mp4", "--frames", "0-9", "a.mkv"}, "--join takes no --frames"},
    };
    for (const auto& c : cases) {
        std::string message = MessageOf([&] { ParseSplit(c.arguments); });
        EXPECT_NE(message.find(c.named), std::string::npos) << message;
    }
}

TEST(SegmentTag, ReadsBackWhatItWritesAndNothingElse) {
    SegmentTag tag = Segment("a", 40, 79, 120).tag;
    tag.rateNumerator = 60000;
    tag.rateDenominator = 1001;
    SegmentTag read;
    ASSERT_TRUE(ReadSegmentTag(tag.Text(), &read)) << tag.Text();
    EXPECT_EQ(read.Text(), tag.Text());
    EXPECT_EQ(read.frames.last, 79);
    EXPECT_EQ(read.rateDenominator, 1001);
    // The last two: a size or rate no capture makes, which a join would
    // believe in reading and holding each frame.
    for (const char* bad : {"", "frames=40-79",
                            "frames=80-79,total=120,rate=30/1,size=32x32,"
                            "crf=18,preset=fast",
                            "frames=40-120,total=120,rate=30/1,size=32x32,crf=18,preset=fast",
                            "frames=0-9,total=120,rate=30/1,size=32x32,crf=18,preset=fast,x=1",
                            "frames=0-9,total=120,rate=30/1,size=32x20240,crf=18,preset=fast",
                            "frames=0-9,total=120,rate=1001/1,size=32x32,crf=18,preset=fast"}) {
        EXPECT_FALSE(ReadSegmentTag(bad, &read)) << bad;
    }
}

TEST(OrderSegments, PutsSegmentsInFrameOrderAndNamesGapsOverlapsAndStrangers) {
    std::vector<SegmentFile> whole = {Segment("c", 60, 99), Segment("a", 0, 29),
                                      Segment("b", 30, 59)};
    EXPECT_EQ(OrderSegments(whole), (std::vector<std::size_t>{1, 2, 0}));

    const struct {
        std::vector<SegmentFile> segments;
        const char* named;
    } cases[] = {
        {{Segment("a", 0, 29), Segment("b", 25, 99)},
         "a (frames 0-29) and b (frames 25-99) "
         "overlap at frames 25-29"},
        {{Segment("a", 0, 29), Segment("b", 29, 29), Segment("c", 30, 99)}, "overlap at frame 29"},
        {{Segment("a", 0, 29), Segment("a2", 0, 29), Segment("b", 30, 99)}, "overlap"},
        {{Segment("a", 0, 29), Segment("c", 31, 99)}, "frame 30 is missing"},
        {{Segment("b", 10, 99)}, "frames 0-9 are missing"},
        {{Segment("a", 0, 89)}, "frames 90-99 are missing"},
        // Segments that stop one frame short, at the start, between two, at the end.
        {{Segment("a", 1, 49), Segment("b", 50, 99)}, "frame 0 is missing"},
        {{Segment("a", 0, 48), Segment("b", 50, 99)},
         "frame 49 is missing: no segment holds them (a ends at frame 48, b starts at frame 50)"},
        {{Segment("b", 50, 98), Segment("a", 0, 49)},
         "frame 99 is missing: no segment holds them (b ends at frame 98 of 100)"},
        {{Segment("a", 0, 98)}, "frame 99 is missing"},
        {{Segment("a", 0, 49), Segment("b", 50, 99, 100, 640)}, "b is 640x240 at 30/1 fps"},
        {{Segment("a", 0, 49), Segment("b", 50, 99, 120)}, "b is part of a video of 120 frames"},
        {{}, "No segments"},
    };
    for (const auto& c : cases) {
        std::string message = MessageOf([&] { OrderSegments(c.segments); });
        EXPECT_NE(message.find(c.named), std::string::npos) << message;
    }
}

TEST(CapturePlan, CountsTheWholeVideoAndKeepsRangesInsideIt) {
    FrameClock clock(30, 1);
    CaptureOptions options = ParseSplit({"-o", "v.mp4"});
    CapturePlan plan = PlanCapture(options, clock, 132300, "music");
    EXPECT_EQ(plan.total, 90) << "3 s of music at 30 fps";
    EXPECT_EQ(plan.frames.first, 0);
    EXPECT_EQ(plan.frames.last, 89);
    options = ParseSplit({"-o", "s.mkv", "--seconds", "2", "--frames", "30-59"});
    plan = PlanCapture(options, clock, 0, "music");
    EXPECT_EQ(plan.total, 60);
    EXPECT_EQ(plan.frames.Text(), "30-59");
    options = ParseSplit({"-o", "s.mkv", "--seconds", "2", "--frames", "30-60"});
    EXPECT_NE(MessageOf([&] {
                  PlanCapture(options, clock, 0, "music");
              }).find("--frames 30-60: the video has 60 frames"),
              std::string::npos);
    EXPECT_NE(MessageOf([&] {
                  PlanCapture(ParseSplit({"-o", "v.mp4"}), clock, 0, "x.ogg");
              }).find("x.ogg has no sound"),
              std::string::npos);
}

TEST(FrameAndSound, GivesEachFrameItsOwnSamplesAndSegmentsNone) {
    FrameClock ntsc(30000, 1001);
    MusicTrack music(CLICK_TRACK);
    CountingWriter whole;
    {
        EncodingQueue queue(whole, 4, ntsc.MostSamplesPerFrame());
        FrameAndSound sink(queue, &music, ntsc, 0);
        std::uint8_t pixel[4] = {0};
        for (int i = 0; i < 100; ++i) sink.TakeFrame(pixel);
        queue.Flush();
        EXPECT_EQ(sink.NextFrame(), 100);
    }
    ASSERT_EQ(whole.sound.size(), 100u);
    std::int64_t total = 0;
    for (int n = 0; n < 100; ++n) {
        EXPECT_EQ(whole.sound[n], ntsc.Samples(n)) << "frame " << n;
        total += whole.sound[n];
    }
    EXPECT_EQ(total, ntsc.FirstSample(100)) << "the sound of 100 frames, no more, no less";

    CountingWriter segment;
    EncodingQueue queue(segment, 4, ntsc.MostSamplesPerFrame());
    FrameAndSound sink(queue, nullptr, ntsc, 50);
    std::uint8_t pixel[4] = {0};
    for (int i = 0; i < 10; ++i) sink.TakeFrame(pixel);
    queue.Flush();
    EXPECT_EQ(sink.NextFrame(), 60) << "a segment counts on from its first frame";
    EXPECT_EQ(segment.frames, 10);
    for (int samples : segment.sound) EXPECT_EQ(samples, 0);
}

TEST(Y4mSegment, CarriesItsRangeAndRefusesOneCutShort) {
    const std::string name = "split-unit-segment";
    SegmentTag tag = Segment("", 5, 7, 10, 4).tag;
    tag.height = 2;
    MediaFormat format = {4, 2, 30, 1, 18, "ultrafast"};
    format.segmentTag = tag.Text();
    format.firstFrame = 5;
    std::vector<std::uint8_t> frame(4 * 2 * 4, 128);
    {
        Y4mWavWriter writer(name, format);
        for (int i = 0; i < 3; ++i) writer.WriteVideo(frame.data());
        writer.Finish();
    }
    EXPECT_FALSE(std::ifstream(name + ".wav").good()) << "a segment has no sound of its own";
    Y4mSegment segment(name + ".y4m");
    EXPECT_EQ(segment.Tag().Text(), tag.Text());
    std::vector<std::uint8_t> planes(segment.FrameBytes());
    int frames = 0;
    while (segment.ReadFrame(planes.data())) ++frames;
    EXPECT_EQ(frames, 3);

    // The same file without its last frame.
    std::ifstream in(name + ".y4m", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream(name + "-cut.y4m", std::ios::binary)
        << bytes.substr(0, bytes.size() - planes.size() - 6);
    Y4mSegment cut(name + "-cut.y4m");
    std::string message = MessageOf([&] {
        while (cut.ReadFrame(planes.data())) {
        }
    });
    EXPECT_NE(message.find("ends after 2 of its 3 frames"), std::string::npos) << message;
    std::remove((name + ".y4m").c_str());
    std::remove((name + "-cut.y4m").c_str());
}
