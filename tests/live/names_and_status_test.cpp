#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "programs/live/live_status.h"
#include "programs/support/graph_plugins.h"
#include "programs/support/plugin_names.h"

using namespace Ombrel::Live;

using namespace Ombrel::Tools;

using namespace Ombrel::Host;

namespace {

// The host keeps its variables' values for its whole run and never frees them;
// a test that builds the graph frees the ones the host made.
struct HostValuesFreed {
    DemoVariables& variables;
    ~HostValuesFreed() {
        delete static_cast<String*>(variables.titleVar.value);
        for (Variable* number : {&variables.widthVar, &variables.heightVar, &variables.colorBitsVar,
                                 &variables.fullScreenVar, &variables.countVar,
                                 &variables.englishVar, &variables.constant5Var}) {
            delete static_cast<IntValue*>(number->value);
        }
        delete variables.time;
    }
};

TEST(PluginNames, TheNearestNameCatchesAMisspellingAndNothingFarther) {
    std::vector<std::string> names = {"LoadCOctreeScene", "PrintCoctreeScene", "OpenGLInit"};
    EXPECT_EQ(NearestName("PrintCOctreeScene", names), "PrintCoctreeScene");
    EXPECT_EQ(NearestName("OpenGLPrint", {"OpenGLPrnt", "OpenGLInit"}), "OpenGLPrnt");
    EXPECT_EQ(NearestName("OpenGLPrint", names), "");
    EXPECT_EQ(NearestName("LoadCOctreeScene", {"LoadCOctreeScene"}), "")
        << "the name itself is no misspelling";
}

TEST(PluginNames, EveryGraphCallWithoutAPluginIsNamedWithTheNearestLoadedName) {
    PluginRegistry nothingLoaded;
    DemoGraph graph(nothingLoaded, Settings{640, 480, 32, false, true});
    HostValuesFreed freed{graph.variables};
    std::vector<std::string> warnings = MissingGraphPlugins(
        graph, {{"LoadCOctreeScene", "Vantrope.so"}, {"PrintCoctreeScene", "Vantrope.so"}});
    ASSERT_EQ(warnings.size(), sizeof DemoCallPlugins / sizeof DemoCallPlugins[0]);
    EXPECT_NE(std::find(warnings.begin(), warnings.end(),
                        "the demo calls PrintCOctreeScene, which no loaded pack has "
                        "(Vantrope.so has PrintCoctreeScene)"),
              warnings.end());
    EXPECT_NE(std::find(warnings.begin(), warnings.end(),
                        "the demo calls OpenGLInit, which no loaded pack has"),
              warnings.end());
}

TEST(LiveStatus, TheStatusIsOneLineOfJsonWhateverTheTextsHold) {
    LiveStatus status;
    status.time = 3.5;
    status.playing = false;
    status.looping = true;
    status.loopStart = 1;
    status.loopEnd = 2;
    status.packs.push_back({"Vantrope.so", 4, "running"});
    status.error = "Vantrope.so version 5: \"bad\"\n  loader: C:\\x\tis\x01 gone";
    std::string json = status.Json();
    EXPECT_EQ(json.find('\n'), std::string::npos);
    EXPECT_NE(json.find("\"time\":3.500000,\"playing\":false,\"loop\":[1.000000,2.000000]"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"error\":\"Vantrope.so version 5: \\\"bad\\\"\\n  loader: "
                        "C:\\\\x\\tis\\u0001 gone\""),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("{\"file\":\"Vantrope.so\",\"version\":4,\"state\":\"running\"}"),
              std::string::npos);
    EXPECT_EQ(status.Line(),
              "3.50 s paused  loop 1.00-2.00  0 fps  | Vantrope.so version 5: "
              "\"bad\"");
    status.speed = 0.5;
    status.atEnd = true;
    status.looping = false;
    status.error.clear();
    EXPECT_EQ(status.Line(), "3.50 s paused at 0.5x  end of the music  0 fps");
}

TEST(LiveStatus, ChangesLeaveOutTheMovingTimeAndRateButNotAVersionOrAnError) {
    LiveStatus status;
    status.packs.push_back({"Vantrope.so", 1, "running"});
    std::string first = status.Changes();
    status.time = 12.0;
    status.fps = 60.0;
    EXPECT_EQ(status.Changes(), first);
    for (auto change : std::vector<std::function<void(LiveStatus&)>>{
             [](LiveStatus& s) { s.playing = false; },
             [](LiveStatus& s) { s.packs[0].version = 2; },
             [](LiveStatus& s) { s.packs[0].state = "trying"; },
             [](LiveStatus& s) { s.error = "build failed"; }}) {
        LiveStatus changed = status;
        change(changed);
        EXPECT_NE(changed.Changes(), first);
    }
}

}  // namespace
