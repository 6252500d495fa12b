// The pack "ConsoleDevice": its plugin objects, made when the module is
// loaded and never deleted, and the four entry points.
#include "packs/opengl/opengl_init.h"
#include "packs/opengl/opengl_print.h"

static OpenGLInit openGLInit;
static OpenGLPrint openGLPrint;
static Plugin* const Plugins[] = {&openGLInit, &openGLPrint};

OMBREL_DECLARE_PACK("ConsoleDevice", Plugins)
