// A stand-in for the scene pack (RECORD_SCENE, with an OpenGLPrint of its own
// too when RECORD_PRINT_TOO) or the OpenGL pack (RECORD_DEVICE) that appends every operation the host calls, with the values
// behind the bound slots, to "host-record.log" in the current folder. Both
// stand-ins append to the one file, so the log keeps the host's order across
// packs. The stand-in OpenGLPrint throws "OpenGL window closed" at its tenth
// run since Start, as the real one does when the window is closed. A test that
// runs beside others names its own log with the exported SetRecordLog.

#include <cstdarg>
#include <cstdio>

#include "plugin/contract.h"

namespace {

char logPath[512] = "host-record.log";

}  // namespace

extern "C" OMBREL_PACK_EXPORT void SetRecordLog(const char* path) {
    std::snprintf(logPath, sizeof logPath, "%s", path);
}

namespace {

void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Log(const char* format, ...) {
    FILE* file = std::fopen(logPath, "ab");
    if (!file) return;
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(file, format, arguments);
    va_end(arguments);
    std::fputc('\n', file);
    std::fclose(file);
}

const int SlotCount = 6;

class Recorder : public PluginWithoutInfo {
public:
    Recorder(const char* pluginName, const char* signatureText)
        : name(pluginName), signature(signatureText) {}

    Plugin* Clone() override { return nullptr; }
    void Release() override {}
    const char* GetSignature() override { return signature; }
    const char* GetName() override { return name; }
    void SetArgument(int index, Value** slot) override {
        if (index >= 0 && index < SlotCount) slots[index] = slot;
    }
    void Start() override { Log("%s.Start", name); }
    bool Prepare() override {
        Log("%s.Prepare", name);
        return true;
    }
    void Stop() override { Log("%s.Stop", name); }

protected:
    int Int(int index) {
        Value* value = slots[index] ? *slots[index] : nullptr;
        return value ? static_cast<IntValue*>(value)->value : -1;
    }
    float Float(int index) {
        Value* value = slots[index] ? *slots[index] : nullptr;
        return value ? static_cast<FloatValue*>(value)->value : -1.0f;
    }
    const char* Text(int index) {
        Value* value = slots[index] ? *slots[index] : nullptr;
        return value ? static_cast<String*>(value)->GetText() : "(none)";
    }
    // The value a plugin stores through an "out" slot is the plugin's own.
    void Store(int index, IntValue& value) {
        if (slots[index]) *slots[index] = &value;
    }

    const char* name;
    const char* signature;
    Value** slots[SlotCount] = {};
};

// OpenGLPrint's stand-in; its runs are logged under `runLine`, so that a log
// tells which pack's OpenGLPrint the host found.
class Print final : public Recorder {
public:
    explicit Print(const char* logLine)
        : Recorder("OpenGLPrint", "in OpenGL openGL, in float time, in int count"),
          runLine(logLine) {}
    // The ten runs count from Start, so every demo graph of a test program
    // gets its own ten.
    void Start() override {
        runs = 0;
        Recorder::Start();
    }
    void Run() override {
        Log("%s openGL=%d time=%.6f count=%d", runLine, Int(0), Float(1), Int(2));
        if (++runs == 10) throw Ombrel::Exception("OpenGL window closed");
    }

private:
    const char* runLine;
    int runs = 0;
};

#ifdef RECORD_SCENE

class LoadScene final : public Recorder {
public:
    LoadScene()
        : Recorder("LoadCOctreeScene", "out COctreeScene scene, in String title, in int detail") {}
    void Run() override {
        Log("LoadCOctreeScene.Run title='%s' detail=%d", Text(1), Int(2));
        Store(0, scene);
    }

private:
    IntValue scene{77};
};

class DrawScene final : public Recorder {
public:
    DrawScene()
        : Recorder("PrintCOctreeScene",
                   "in COctreeScene scene, in float time, in int count, in bool english") {}
    void Run() override {
        Log("PrintCOctreeScene.Run scene=%d time=%.6f count=%d english=%d", Int(0), Float(1),
            Int(2), Int(3));
    }
};

}  // namespace

static LoadScene loadScene;
static DrawScene drawScene;
#ifdef RECORD_PRINT_TOO
// A scene pack that also has a plugin of the device pack's name.
static Print scenePrint("OpenGLPrint.Run from the scene pack:");
static Plugin* const Plugins[] = {&loadScene, &drawScene, &scenePrint};
#else
static Plugin* const Plugins[] = {&loadScene, &drawScene};
#endif
OMBREL_DECLARE_PACK("RecordingScene", Plugins)

#else

class Init final : public Recorder {
public:
    Init()
        : Recorder("OpenGLInit",
                   "out OpenGL openGL, in String name, in int width, in int height, "
                   "in int colorBits, in bool fullScreen") {}
    void Run() override {
        Log("OpenGLInit.Run title='%s' width=%d height=%d colorBits=%d fullScreen=%d", Text(1),
            Int(2), Int(3), Int(4), Int(5));
        Store(0, device);
    }

private:
    IntValue device{1};
};

}  // namespace

static Init init;
static Print print("OpenGLPrint.Run");
static Plugin* const Plugins[] = {&init, &print};
OMBREL_DECLARE_PACK("RecordingDevice", Plugins)

#endif
