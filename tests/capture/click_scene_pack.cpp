// The scene pack of the capture tests: PrintCOctreeScene clears the frame to
// white when a click of the test music (make-click-track) falls within the
// frame's samples, and to black otherwise. The build gives the clicks'
// samples and the frame rate the tests capture at.
#include <GL/gl.h>

#include <cmath>

#include "plugin/contract.h"

namespace {

const long long ClickSamples[] = {CLICK_SAMPLES};
const long long Rate = CLICK_RATE;
const long long SampleRate = 44100;

class FlashOnClick final : public BasicPlugin<FlashOnClick> {
public:
    const char* GetSignature() override {
        return "in COctreeScene scene, in float time, in int count, in bool english";
    }
    const char* GetName() override { return "PrintCOctreeScene"; }
    void SetArgument(int index, Value** slot) override {
        if (index == 1) time = slot;
    }
    void Start() override {}
    bool Prepare() override { return true; }
    void Run() override {
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
    void Stop() override {}

private:
    Value** time = nullptr;
};

FlashOnClick flash;
Plugin* const Plugins[] = {&flash};

}  // namespace

OMBREL_DECLARE_PACK("CaptureClickScene", Plugins)
