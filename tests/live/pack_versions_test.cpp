#include "programs/live/pack_versions.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace Ombrel::Live;

namespace {

// Three loaded packs, known only by their addresses: the versions never look
// into a pack.
char packA, packB, packC;
PluginPack* const A = reinterpret_cast<PluginPack*>(&packA);
PluginPack* const B = reinterpret_cast<PluginPack*>(&packB);
PluginPack* const C = reinterpret_cast<PluginPack*>(&packC);

std::string PackName(const PluginPack* pack) {
    if (pack == A) return "A";
    if (pack == B) return "B";
    if (pack == C) return "C";
    return pack == nullptr ? "-" : "?";
}

PackVersion Version(int number) {
    PackVersion version;
    if (number == 0) return version;
    version.number = number;
    version.copy = "Vantrope." + std::to_string(number) + ".so";
    version.stamp = "100:" + std::to_string(number);
    return version;
}

std::string Describe(const PackVersion& version) {
    if (version.number == 0 && version.copy.empty() && version.stamp.empty()) return "-";
    std::string text = std::to_string(version.number);
    // A version is whole: its copy and stamp come with its number.
    if (version.copy != Version(version.number).copy) text += "(copy " + version.copy + ")";
    if (version.stamp != Version(version.number).stamp) text += "(stamp " + version.stamp + ")";
    return text;
}

std::string Describe(const PackVersions& versions) {
    std::string text = "runs " + Describe(versions.Current()) + " on " + PackName(versions.Pack()) +
                       ", retired " + PackName(versions.RetiredPack()) + ", previous " +
                       Describe(versions.Previous()) + ", trial " + Describe(versions.Trial());
    if (versions.OnTrial()) text += ", on trial";
    return text;
}

std::string Describe(const PackVersions::LetGo& gone) {
    return PackName(gone.pack) + " " + Describe(gone.version);
}

// Runs the steps, one word each with its arguments ("tried 2", "started B",
// "restore 3 2"), and returns what the transitions handed back.
std::string Apply(PackVersions& versions, const std::vector<std::string>& steps) {
    std::string handed;
    for (const std::string& step : steps) {
        std::istringstream words(step);
        std::string word;
        words >> word;
        if (word == "restore") {
            int ran = 0, before = 0;
            words >> ran >> before;
            versions.Restore(Version(ran), Version(before));
        } else if (word == "resumed") {
            handed = "resumed " + Describe(versions.Resumed());
        } else if (word == "tried") {
            int number = 0;
            words >> number;
            versions.Tried(Version(number));
        } else if (word == "started") {
            std::string pack;
            words >> pack;
            versions.Started(pack == "A" ? A : pack == "B" ? B : C);
        } else if (word == "failed") {
            versions.Failed();
        } else if (word == "promoted") {
            handed = "let go " + Describe(versions.Promoted());
        } else if (word == "crashed") {
            PackVersion back = Version(99);
            PackVersions::LetGo failed = versions.Crashed(back);
            handed = "failed " + Describe(failed) + ", back " + Describe(back);
        } else if (word == "retired") {
            handed = "unload " + PackName(versions.Retired());
        } else {
            ADD_FAILURE() << "no such step: " << step;
        }
    }
    return handed;
}

struct Transition {
    const char* what;
    std::vector<std::string> before;  // the steps to the state it starts from
    const char* step;
    const char* after;   // Describe() of the state it leads to
    const char* handed;  // what the step handed back, "" for nothing
};

// From a version that runs and has drawn: 1 on A.
const std::vector<std::string> OneGood = {"tried 1", "started A", "promoted"};
// Then 2 on B, started and on trial.
const std::vector<std::string> TwoOnTrial = {"tried 1", "started A", "promoted", "tried 2",
                                             "started B"};
// Then 2 on B, good as well: 1 is the previous version.
const std::vector<std::string> TwoGood = {"tried 1", "started A", "promoted",
                                          "tried 2", "started B", "promoted"};

const Transition Transitions[] = {
    {"a first version is tried", {}, "tried 1", "runs - on -, retired -, previous -, trial 1", ""},
    {"a first version starts on trial",
     {"tried 1"},
     "started A",
     "runs 1 on A, retired -, previous -, trial 1, on trial",
     ""},
    {"a first version that draws lets go of nothing",
     {"tried 1", "started A"},
     "promoted",
     "runs 1 on A, retired -, previous -, trial -",
     "let go - -"},
    {"a first version that fails to load leaves nothing running",
     {"tried 1"},
     "failed",
     "runs - on -, retired -, previous -, trial -",
     ""},
    {"a new version is tried while the good one runs", OneGood, "tried 2",
     "runs 1 on A, retired -, previous -, trial 2", ""},
    {"a new version starts and retires the one it replaces",
     {"tried 1", "started A", "promoted", "tried 2"},
     "started B",
     "runs 2 on B, retired A, previous -, trial 2, on trial",
     ""},
    {"a new version that fails to start leaves the good one running",
     {"tried 1", "started A", "promoted", "tried 2"},
     "failed",
     "runs 1 on A, retired -, previous -, trial -",
     ""},
    {"a new version that draws makes the retired one its previous", TwoOnTrial, "promoted",
     "runs 2 on B, retired -, previous 1, trial -", "let go A -"},
    {"the previous version's copy goes when a newer one takes its place",
     {"tried 1", "started A", "promoted", "tried 2", "started B", "promoted", "tried 3",
      "started C"},
     "promoted",
     "runs 3 on C, retired -, previous 2, trial -",
     "let go B 1"},
    {"a version on trial that crashes gives way to the retired one", TwoOnTrial, "crashed",
     "runs 1 on A, retired -, previous -, trial -", "failed B 2, back -"},
    {"a good version that crashes leaves none, and its previous to try again", TwoGood, "crashed",
     "runs - on -, retired -, previous -, trial -", "failed B 2, back 1"},
    {"a first version that crashes has nothing to go back to", OneGood, "crashed",
     "runs - on -, retired -, previous -, trial -", "failed A 1, back -"},
    {"a version retired without a successor leaves none running", TwoGood, "retired",
     "runs - on -, retired -, previous 1, trial -", "unload B"},
    {"a restart takes up the version that ran and the one before",
     {},
     "restore 3 2",
     "runs 3 on -, retired -, previous 2, trial -",
     ""},
    {"a resumed version is taken out to be tried again",
     {"restore 3 2"},
     "resumed",
     "runs - on -, retired -, previous 2, trial -",
     "resumed 3"},
    {"a resumed version starts like a new one",
     {"restore 3 2", "resumed", "tried 3"},
     "started A",
     "runs 3 on A, retired -, previous 2, trial 3, on trial",
     ""},
};

}  // namespace

TEST(PackVersions, EachTransitionLeadsToItsState) {
    for (const Transition& t : Transitions) {
        PackVersions versions;
        Apply(versions, t.before);
        EXPECT_EQ(t.handed, Apply(versions, {t.step})) << t.what;
        EXPECT_EQ(t.after, Describe(versions)) << t.what;
    }
}

// A restart runs the version that last drew: not one on trial.
TEST(PackVersions, ARestartKeepsTheVersionsThatHaveDrawn) {
    PackVersions versions;
    Apply(versions, TwoOnTrial);
    EXPECT_EQ("1", Describe(versions.Kept())) << "2 has not drawn yet";
    EXPECT_EQ((std::vector<std::string>{"Vantrope.2.so", "", "Vantrope.1.so"}),
              versions.KeptCopies());

    Apply(versions, {"promoted"});
    EXPECT_EQ("2", Describe(versions.Kept()));
    EXPECT_EQ((std::vector<std::string>{"Vantrope.2.so", "Vantrope.1.so", ""}),
              versions.KeptCopies());

    PackVersions none;
    EXPECT_EQ("-", Describe(none.Kept()));
    EXPECT_EQ((std::vector<std::string>{"", "", ""}), none.KeptCopies());
}
