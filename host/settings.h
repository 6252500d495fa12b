#pragma once

namespace Ombrel::Host {

// The host's process-wide settings: defaults set by RunDemo, then whatever the
// setup dialog reads on OK. Read afterwards to build the demo graph.
struct Settings {
    int width;
    int height;
    int colorBits;
    bool fullScreen;
    bool english;
};

extern Settings settings;

}  // namespace Ombrel::Host
