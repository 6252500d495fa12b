#include "programs/live/json_writer.h"

#include <gtest/gtest.h>

#include "programs/live/frame_times.h"
#include "programs/live/timeline_state.h"

using namespace Ombrel::Live;

namespace {

TEST(JsonWriter, EscapesWhatAStringHoldsAndReplacesBrokenUtf8) {
    EXPECT_EQ(JsonString("say \"hi\" \\ there"), "\"say \\\"hi\\\" \\\\ there\"");
    EXPECT_EQ(JsonString(std::string("a\nb\tc\rd\x01\x1f\x7f", 10)),
              "\"a\\nb\\tc\\rd\\u0001\\u001f\x7f\"");
    EXPECT_EQ(JsonString(std::string("nul\0end", 7)), "\"nul\\u0000end\"");
    EXPECT_EQ(JsonString("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xb5"),
              "\"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xb5\"")
        << "well-formed UTF-8 goes through";
    // A lone continuation byte, a Latin-1 byte, a sequence cut short at the
    // end, an overlong slash, a surrogate and a code point beyond U+10FFFF.
    EXPECT_EQ(JsonString("\x80|\xe9|\xc0\xaf|\xed\xa0\x80|\xf4\x90\x80\x80|\xe2\x82"),
              "\"\\ufffd|\\ufffd|\\ufffd\\ufffd|\\ufffd\\ufffd\\ufffd|"
              "\\ufffd\\ufffd\\ufffd\\ufffd|\\ufffd\\ufffd\"");
}

TEST(JsonWriter, PutsInTheCommasAndWritesNumbersShort) {
    JsonWriter json;
    json.Open('{').Key("a").Number(12.5).Key("b").Open('[').Whole(1).Null().Bool(false);
    json.Open('{').Close().Close().Key("c").Number(1.0 / 0.0).Key("d").Number(-0.0000001);
    EXPECT_EQ(json.Close().Text(), "{\"a\":12.5,\"b\":[1,null,false,{}],\"c\":null,\"d\":0}");
    EXPECT_EQ(JsonNumber(80.8), "80.8");
    EXPECT_EQ(JsonNumber(3.0), "3");
    EXPECT_EQ(JsonNumber(16.66666, 1), "16.7");
}

TEST(TimelineState, IsOneLineOfJsonWithEveryField) {
    TimelineState state;
    state.time = 12.5;
    state.playing = true;
    state.length = 80.8;
    state.looping = true;
    state.loopStart = 1.0;
    state.loopEnd = 2.0;
    state.snap = SnapMode::Beats;
    state.hasTempo = true;
    state.tempo = BeatGrid{120.0, 0.1, 4};
    state.markers.push_back(Marker{"drop", 32.0});
    state.packs.push_back(TimelineState::Pack{"Vantrope.so", 3, "running"});
    state.lastError = "line one\nline \"two\"";
    state.frameTimes = {16.64, 16.7};
    EXPECT_EQ(state.Json(),
              "{\"time\":12.5,\"playing\":true,\"speed\":1,\"length\":80.8,"
              "\"loop\":{\"start\":1,\"end\":2},\"end\":\"stop\",\"atEnd\":false,"
              "\"snap\":\"beats\",\"frameRate\":60,"
              "\"tempo\":{\"bpm\":120,\"offset\":0.1,\"beatsPerBar\":4},"
              "\"markers\":[{\"name\":\"drop\",\"time\":32}],"
              "\"packs\":[{\"name\":\"Vantrope.so\",\"version\":3,\"state\":\"running\"}],"
              "\"lastError\":\"line one\\nline \\\"two\\\"\",\"frameTimes\":[16.6,16.7]}");
    TimelineState empty;
    std::string json = empty.Json();
    EXPECT_NE(json.find("\"loop\":null"), std::string::npos);
    EXPECT_NE(json.find("\"tempo\":null"), std::string::npos);
    EXPECT_NE(json.find("\"markers\":[],"), std::string::npos);
}

TEST(FrameTimes, KeepsTheLastFewSecondsAndAtMostTheirNumber) {
    using TimesClock = FrameTimes::Clock;
    TimesClock::time_point start;
    auto at = [&](double ms) {
        return start + std::chrono::duration_cast<TimesClock::duration>(
                           std::chrono::duration<double, std::milli>(ms));
    };
    FrameTimes times;
    EXPECT_TRUE(times.Last(at(0)).empty());
    times.Note(at(0));
    times.Note(at(20));
    times.Note(at(30));
    std::vector<double> last = times.Last(at(30));
    ASSERT_EQ(last.size(), 2u) << "the first frame has no time of its own";
    EXPECT_DOUBLE_EQ(last[0], 20.0);
    EXPECT_DOUBLE_EQ(last[1], 10.0);
    EXPECT_EQ(times.Last(at(5025)).size(), 1u) << "only frames of the last 5 s";
    for (int i = 1; i <= 1000; ++i) times.Note(at(30 + i));
    last = times.Last(at(1030));
    EXPECT_EQ(last.size(), static_cast<std::size_t>(FrameTimes::Most));
    EXPECT_DOUBLE_EQ(last.back(), 1.0);
}

}  // namespace
