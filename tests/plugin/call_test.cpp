#include "plugin/call.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "foundation/exception.h"
#include "tests/fixtures/recorder.h"
#include "tests/plugin/fixture_packs.h"

namespace {

class PluginCallTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(recorders.IsValid());
        registry.AddPack(PackFile("FixtureRecorder").c_str());
        recorders.Reset();
    }

    // The log since the last look at it; the recorders keep their state.
    std::string TakeLog() {
        std::string log = recorders.Log();
        std::string recent = log.substr(taken < log.size() ? taken : log.size());
        taken = log.size();
        if (!recent.empty() && recent[0] == ' ') recent.erase(0, 1);
        return recent;
    }

    static RecordingPlugin* Recorder(PluginCall& call) {
        return static_cast<RecordingPlugin*>(call.plugin);
    }

    RecorderPackAccess recorders{"FixtureRecorder"};
    PluginRegistry registry;
    std::string::size_type taken = 0;
};

}  // namespace

TEST_F(PluginCallTest, UnknownPluginGivesACallThatReachesNothing) {
    PluginCall call(registry, "Nobody");
    EXPECT_EQ(call.descriptor, nullptr);
    EXPECT_EQ(call.plugin, nullptr);
    EXPECT_EQ(call.mode, PluginCall::ScheduleAlways);

    Variable variable;
    call.Bind(0, variable);
    call.StartIfDue(0.0f);
    EXPECT_TRUE(call.active) << "the call's own flags still follow the schedule";
    EXPECT_FALSE(call.Prepare());
    call.Run();
    call.mode = PluginCall::ScheduleOnce;
    call.StartIfDue(1.0f);
    call.Stop();
    EXPECT_EQ(TakeLog(), "");
}

TEST_F(PluginCallTest, DefaultModeStartsEveryTimeAndNeverStops) {
    PluginCall call(registry, "Producer");
    ASSERT_NE(call.descriptor, nullptr);
    EXPECT_EQ(call.plugin, call.descriptor->plugin);
    EXPECT_FALSE(call.active);
    EXPECT_FALSE(call.Prepare()) << "not active before the first StartIfDue";
    call.Run();
    EXPECT_EQ(TakeLog(), "");

    call.StartIfDue(0.0f);
    EXPECT_TRUE(call.active);
    EXPECT_TRUE(call.Prepare());
    call.Run();
    call.StartIfDue(1.0f);
    call.Stop();
    EXPECT_EQ(TakeLog(), "Producer.Start Producer.Prepare Producer.Run Producer.Start");
}

TEST_F(PluginCallTest, OnceModeFiresOnceAndThenForwardsStop) {
    PluginCall call(registry, "Producer");
    call.mode = PluginCall::ScheduleOnce;
    call.StartIfDue(0.0f);
    EXPECT_TRUE(call.active);
    EXPECT_TRUE(call.Prepare());
    call.Run();
    EXPECT_EQ(TakeLog(), "Producer.Start Producer.Prepare Producer.Run");

    call.StartIfDue(1.0f);
    EXPECT_FALSE(call.active);
    EXPECT_FALSE(call.Prepare());
    call.Run();
    EXPECT_EQ(TakeLog(), "");
    call.Stop();
    EXPECT_EQ(TakeLog(), "Producer.Stop");
}

TEST_F(PluginCallTest, IntervalModeIsActiveInsideItsHalfOpenWindow) {
    PluginCall call(registry, "Producer");
    call.mode = PluginCall::ScheduleInterval;
    call.startTime = 1.0f;
    call.endTime = 2.0f;
    const float times[] = {1.0f, 2.0f, 0.5f, 1.999f, std::nanf("")};
    const bool expected[] = {true, false, false, true, false};
    for (int i = 0; i < 5; ++i) {
        call.StartIfDue(times[i]);
        EXPECT_EQ(call.active, expected[i]) << "at " << times[i];
        EXPECT_EQ(TakeLog(), "Producer.Start") << "at " << times[i];
    }
    call.Stop();
    EXPECT_EQ(TakeLog(), "");
}

TEST_F(PluginCallTest, AtModeFiresOnceFromItsTime) {
    PluginCall call(registry, "Producer");
    call.mode = PluginCall::ScheduleAt;
    call.atTime = 5.0f;
    call.StartIfDue(4.0f);
    EXPECT_FALSE(call.active);
    call.StartIfDue(std::nanf(""));
    EXPECT_FALSE(call.active);
    EXPECT_FALSE(call.atFired) << "not a number must not use up the firing";
    call.StartIfDue(5.0f);
    EXPECT_TRUE(call.active);
    call.StartIfDue(6.0f);
    EXPECT_FALSE(call.active);
    call.Stop();
    EXPECT_EQ(TakeLog(), "Producer.Start Producer.Start Producer.Start Producer.Start");
}

TEST_F(PluginCallTest, UnknownModeIsNeverDueButStillStarts) {
    PluginCall call(registry, "Producer");
    for (int mode : {-1, 4, 100}) {
        call.mode = mode;
        EXPECT_FALSE(call.IsDue(0.0f)) << mode;
        EXPECT_FALSE(call.IsDue(1e9f)) << mode;
        call.StartIfDue(0.0f);
        EXPECT_FALSE(call.active) << mode;
        EXPECT_EQ(TakeLog(), "Producer.Start") << mode;
    }
}

TEST_F(PluginCallTest, PluginThatIsNotReadyIsNotRunUntilStartedAgain) {
    PluginCall call(registry, "Refuser");
    call.StartIfDue(0.0f);
    EXPECT_FALSE(call.Prepare());
    EXPECT_FALSE(call.active);
    call.Run();
    EXPECT_FALSE(call.Prepare()) << "an inactive call does not ask again";
    EXPECT_EQ(TakeLog(), "Refuser.Start Refuser.Prepare");
    call.StartIfDue(1.0f);
    EXPECT_TRUE(call.active);
}

TEST_F(PluginCallTest, BindHandsOverTheAddressOfTheVariablesValuePointer) {
    PluginCall call(registry, "Consumer");
    PluginCall other(registry, "Consumer");
    RecordingPlugin* consumer = Recorder(call);
    Variable first, second;
    FloatValue time(0.25f);
    second.value = &time;

    call.Bind(1, first);
    EXPECT_EQ(consumer->slots[1], &first.value);
    other.Bind(1, second);
    EXPECT_EQ(consumer->slots[1], &second.value) << "calls of one name share one plugin object";
    call.Bind(-1, first);
    call.Bind(7, first);
    EXPECT_EQ(TakeLog(),
              "Consumer.SetArgument(1) Consumer.SetArgument(1) "
              "Consumer.SetArgument(-1) Consumer.SetArgument(7)");

    call.StartIfDue(0.0f);
    call.Run();
    EXPECT_EQ(consumer->seen[1], &time);
    time.value = 0.5f;
    call.Run();
    EXPECT_FLOAT_EQ(static_cast<FloatValue*>(consumer->seen[1])->value, 0.5f);
}

TEST_F(PluginCallTest, OutArgumentReplacesTheValueWithoutFreeingTheOldOne) {
    PluginCall producer(registry, "Producer");
    PluginCall consumer(registry, "Consumer");
    RecordingPlugin* made = Recorder(producer);
    IntValue hostValue(7);
    Value* firstValue = nullptr;
    {
        Variable thing;
        thing.value = &hostValue;
        producer.Bind(0, thing);
        consumer.Bind(0, thing);
        producer.StartIfDue(0.0f);
        consumer.StartIfDue(0.0f);

        producer.Run();
        ASSERT_EQ(made->madeCount, 1);
        firstValue = thing.value;
        EXPECT_EQ(firstValue, made->made[0]);
        EXPECT_EQ(hostValue.value, 7) << "the host's old value is left as it was";
        consumer.Run();
        EXPECT_EQ(Recorder(consumer)->seen[0], firstValue);

        producer.Run();
        ASSERT_EQ(made->madeCount, 2);
        EXPECT_EQ(thing.value, made->made[1]);
        EXPECT_NE(thing.value, firstValue);
    }
    // The variable is gone; the plugin's values are still its own and intact.
    EXPECT_EQ(static_cast<IntValue*>(firstValue)->value, 1);
    EXPECT_EQ(made->made[1]->value, 2);
    recorders.Reset();
}

TEST_F(PluginCallTest, ExceptionFromThePluginPassesThroughTheCall) {
    registry.AddPack(PackFile("FixtureThrows").c_str());
    PluginCall call(registry, "Thrower");
    call.StartIfDue(0.0f);
    ASSERT_TRUE(call.Prepare());
    try {
        call.Run();
        FAIL() << "Run returned";
    } catch (const Ombrel::Exception& e) {
        EXPECT_STREQ(e.message, "Thrower failed in FixtureThrows");
    }
}
