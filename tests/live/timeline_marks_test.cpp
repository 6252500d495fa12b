#include "programs/live/timeline_marks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "programs/live/atomic_file.h"
#include "tests/foundation/test_support.h"

using namespace Ombrel::Live;

namespace {

std::string MarksRefusal(const std::string& text) {
    return MessageOf([&] { ParseTimelineMarks(text, "demo/markers.txt"); }, "(accepted)");
}

TEST(Markers, NamedChangesKeepTheListInOrderAndRefuseWhatWouldBreakIt) {
    Markers markers;
    markers.Add("drop", 32.0004);
    markers.Add("intro", 0.5);
    markers.Add("m1", 32.0);
    ASSERT_EQ(markers.All().size(), 3u);
    EXPECT_EQ(markers.All()[0].name, "intro");
    EXPECT_DOUBLE_EQ(markers.All()[1].time, 32.0) << "kept to the millisecond";
    EXPECT_EQ(markers.All()[2].name, "m1") << "the same time: in the order added";
    markers.Move("intro", 40.0);
    EXPECT_EQ(markers.All()[2].name, "intro");
    markers.Rename("intro", "outro.2");
    EXPECT_DOUBLE_EQ(markers.TimeOf("outro.2"), 40.0);
    EXPECT_EQ(markers.FreeName("m"), "m2");
    markers.Delete("drop");
    EXPECT_EQ(markers.All().size(), 2u);

    EXPECT_EQ(MessageOf([&] { markers.Add("m1", 3.0); }), "marker \"m1\" already exists");
    EXPECT_EQ(MessageOf([&] { markers.Rename("m1", "outro.2"); }),
              "marker \"outro.2\" already exists");
    EXPECT_EQ(MessageOf([&] { markers.Move("gone", 3.0); }), "no marker \"gone\"");
    EXPECT_EQ(MessageOf([&] { markers.Delete("gone"); }), "no marker \"gone\"");
    EXPECT_EQ(MessageOf([&] { markers.TimeOf("gone"); }), "no marker \"gone\"");
    for (const std::string& name : {std::string(""), std::string(65, 'a'), std::string("a b"),
                                    std::string("caf\xc3\xa9"), std::string("a/b")})
        EXPECT_NE(MessageOf([&] { markers.Add(name, 1.0); }).find("a name is 1 to 64"),
                  std::string::npos)
            << name;
    EXPECT_EQ(markers.All().size(), 2u) << "nothing refused was kept";
    EXPECT_TRUE(Markers::ValidName(std::string(64, 'z')));
}

TEST(TimelineMarks, GoThroughTheFileAndBackUnchanged) {
    TimelineMarks marks;
    marks.hasTempo = true;
    marks.tempo = BeatGrid{127.5, 0.1, 4};
    marks.markers.Add("drop", 32.0);
    marks.markers.Add("intro", 1.25);
    std::string text = TimelineMarksText(marks);
    EXPECT_EQ(text, "tempo 127.5 0.100 4\n1.250 intro\n32.000 drop\n");
    TimelineMarks read = ParseTimelineMarks(text, "markers.txt");
    EXPECT_EQ(TimelineMarksText(read), text);
    EXPECT_DOUBLE_EQ(read.tempo.bpm, 127.5);
    EXPECT_EQ(read.tempo.beatsPerBar, 4);

    // What a person may write by hand: any order, blank lines, comments, CRLF.
    read = ParseTimelineMarks("# ours\r\n\r\n  9 b\r\n1.5   a\n", "markers.txt");
    EXPECT_FALSE(read.hasTempo);
    EXPECT_EQ(TimelineMarksText(read), "1.500 a\n9.000 b\n");
    EXPECT_EQ(TimelineMarksText(ParseTimelineMarks("", "markers.txt")), "");
}

TEST(TimelineMarks, AMalformedLineIsNamedByFileAndLine) {
    EXPECT_EQ(MarksRefusal("1 a\nx b\n"),
              "demo/markers.txt line 2: expected \"SECONDS NAME\" or \"tempo BPM OFFSET BEATS\"");
    EXPECT_EQ(MarksRefusal("1 a\n2 a\n"), "demo/markers.txt line 2: marker \"a\" already exists");
    EXPECT_EQ(MarksRefusal("tempo 120 0 4\ntempo 120 0 4\n"),
              "demo/markers.txt line 2: a second tempo line");
    for (const char* text :
         {"1 a b", "-1 a", "nan a", "1e300 a", "1 a/b", "tempo 10 0 4", "tempo 120 -1 4",
          "tempo 120 0 33", "tempo 120 0 2.5", "tempo 120 0", "tempo x 0 4", "5"})
        EXPECT_EQ(MarksRefusal(text).rfind("demo/markers.txt line 1: ", 0), 0u) << text;
}

TEST(AtomicFile, ReplacesTheFileWholeAndLeavesNothingBeside) {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "ombrel-atomic-test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::string file = (folder / "markers.txt").string();
    std::string text;
    EXPECT_FALSE(ReadSmallFile(file, 100, text)) << "a missing file is no error";
    WriteFileAtomically(file, "first\n");
    WriteFileAtomically(file, "second\n");
    ASSERT_TRUE(ReadSmallFile(file, 100, text));
    EXPECT_EQ(text, "second\n");
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1) << "no temporary file is left";
    EXPECT_NE(MessageOf([&] { ReadSmallFile(file, 3, text); }).find("larger than 3 bytes"),
              std::string::npos);
    std::string blocked = (folder / "no-such-folder" / "markers.txt").string();
    EXPECT_EQ(
        MessageOf([&] { WriteFileAtomically(blocked, "x"); }).rfind("Cannot write " + blocked, 0),
        0u);
    std::filesystem::remove_all(folder);
}

}  // namespace
