// The Vantrope pack as the host sees it: its entry points, its two plugins'
// names and signatures, and how they take arguments they do not have or are
// run before anything is there to draw. No OpenGL context is needed: without
// a scene nothing reaches OpenGL.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "plugin/variable.h"
#include "tests/support/pack_module.h"

namespace {

class ScenePack : public ::testing::Test {
protected:
    void SetUp() override {
        try {
            pack.reset(new PackModule());
        } catch (const std::exception& error) {
            FAIL() << error.what();
        }
    }
    std::unique_ptr<PackModule> pack;
};

TEST_F(ScenePack, EntryPointsDescribeTheTwoPlugins) {
    EXPECT_EQ(pack->getMagic(), 0xCAFEACDCu);
    EXPECT_STREQ(pack->getPluginPackName(), "Vantrope");
    ASSERT_EQ(pack->getPluginCount(), 2);
    EXPECT_EQ(pack->getPluginInstance(0), pack->getPluginInstance(0));
    EXPECT_EQ(pack->getPluginInstance(-1), nullptr);
    EXPECT_EQ(pack->getPluginInstance(2), nullptr);

    Plugin* load = pack->getPluginInstance(0);
    Plugin* print = pack->getPluginInstance(1);
    ASSERT_NE(load, nullptr);
    ASSERT_NE(print, nullptr);
    EXPECT_STREQ(load->GetName(), "LoadCOctreeScene");
    EXPECT_STREQ(load->GetSignature(), "out COctreeScene scene, in String title, in int depth");
    EXPECT_STREQ(print->GetName(), "PrintCOctreeScene");
    EXPECT_STREQ(print->GetSignature(),
                 "in COctreeScene scene, in float time, in int count, in bool english");
    for (Plugin* plugin : {load, print}) {
        EXPECT_TRUE(plugin->Prepare()) << plugin->GetName() << " must be ready before Start";
        EXPECT_STREQ(plugin->GetInfo1(), "");
        EXPECT_STREQ(plugin->GetInfo6(), "");
    }
}

TEST_F(ScenePack, PrintWithoutASceneDoesNothing) {
    Plugin* print = pack->Find("PrintCOctreeScene");
    ASSERT_NE(print, nullptr);
    Variable scene, time, count, english;
    time.value = new FloatValue(3.0f);
    count.value = new IntValue(32);
    english.value = new IntValue(1);
    print->SetArgument(0, &scene.value);
    print->SetArgument(1, &time.value);
    print->SetArgument(2, &count.value);
    print->SetArgument(3, &english.value);
    print->SetArgument(4, nullptr);   // not an argument of the plugin: ignored
    print->SetArgument(-1, nullptr);  // likewise
    print->Start();
    EXPECT_NO_THROW(print->Run()) << "with the scene variable still empty";
    EXPECT_EQ(scene.value, nullptr);
    scene.value = count.value;
    EXPECT_NO_THROW(print->Run()) << "with a value that is not a scene of the pack";
    // The arguments are only read: every value is as it was.
    EXPECT_EQ(scene.value, count.value);
    EXPECT_EQ(static_cast<IntValue*>(count.value)->value, 32);
    EXPECT_EQ(static_cast<FloatValue*>(time.value)->value, 3.0f);
    EXPECT_EQ(static_cast<IntValue*>(english.value)->value, 1);
    scene.value = nullptr;
    print->Stop();
    delete static_cast<FloatValue*>(time.value);
    delete static_cast<IntValue*>(count.value);
    delete static_cast<IntValue*>(english.value);
}

TEST_F(ScenePack, LoadWithoutASceneSlotMakesNothing) {
    Plugin* load = pack->Find("LoadCOctreeScene");
    ASSERT_NE(load, nullptr);
    // The prototype's binding is not the clone's: a clone starts unbound.
    Variable scene;
    load->SetArgument(0, &scene.value);
    Plugin* clone = load->Clone();
    load->SetArgument(0, nullptr);
    ASSERT_NE(clone, load);
    EXPECT_STREQ(clone->GetName(), "LoadCOctreeScene");
    clone->Run();  // nothing bound: nowhere to put a scene, so nothing is built
    EXPECT_EQ(scene.value, nullptr) << "the clone built a scene into the prototype's variable";
    clone->Stop();
    clone->Release();
}

}  // namespace
