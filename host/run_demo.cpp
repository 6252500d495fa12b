#include "host/run_demo.h"

#include "foundation/exception.h"
#include "foundation/timer.h"
#include "host/demo_graph.h"
#include "host/display.h"
#include "host/music.h"
#include "host/pack_files.h"
#include "host/settings.h"
#include "host/setup_dialog.h"
#include "plugin/registry.h"

namespace Ombrel::Host {

void RunDemo(const char*) {
    PluginRegistry registry;
    registry.AddPack(ScenePackFile);
    registry.AddPack(DevicePackFile);

    settings.width = 640;
    settings.height = 480;
    settings.colorBits = 16;
    settings.fullScreen = false;
    ShowSetupDialog(settings);

    CheckAudioLibrary();
    Timer timer;
    DemoGraph graph(registry, settings);
    // Only OpenGLPrint ends the frames (when its window closes): without it
    // the demo would run for ever with nothing to close.
    if (!graph.calls.printCall.plugin)
        throw Ombrel::Exception("Plugin %s not found", "OpenGLPrint");
    graph.FirstStart();

    HSTREAM musicStream = StartMusic();
    timer.Reset();

    // Frames run back to back until one throws; normally OpenGLPrint's
    // "OpenGL window closed" once the window is closed or Escape is pressed.
    // That ends the demo quietly.
    for (;;) {
        try {
            graph.RunFrame(static_cast<float>(timer.Seconds()));
        } catch (Ombrel::Exception) {
            RestoreDisplayMode();
            break;
        }
    }

    StopMusic(musicStream);
    graph.StopCalls();
}

}  // namespace Ombrel::Host
