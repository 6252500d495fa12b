// The scene pack of the capture tests: PrintCOctreeScene clears the frame to
// white when a click of the test music (make-click-track) falls within the
// frame's samples, and to black otherwise. The build gives the clicks'
// samples and the frame rate the tests capture at.
#include <GL/gl.h>

#include <cmath>

#include "tests/fixtures/demo_signatures.h"
#include "tests/fixtures/test_plugin.h"

namespace {

const long long ClickSamples[] = {CLICK_SAMPLES};
const long long Rate = CLICK_RATE;
const long long SampleRate = 44100;

class FlashOnClick final : public TestPlugin<FlashOnClick> {
public:
    FlashOnClick() : TestPlugin("PrintCOctreeScene", DemoSignature::PrintCOctreeScene) {}
    void Run() override {
        Value** time = slots[1];
        long long frame = std::llround(ReadFloat(time, "PrintCOctreeScene", "time") * Rate);
        long long first = frame * SampleRate / Rate;
        long long end = (frame + 1) * SampleRate / Rate;
        float level = 0.0f;
        for (long long click : ClickSamples) {
            if (first <= click && click < end) level = 1.0f;
        }
        glClearColor(level, level, level, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
};

}  // namespace

SINGLE_PLUGIN_PACK("CaptureClickScene", FlashOnClick)
