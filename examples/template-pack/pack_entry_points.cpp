#include "plugin/contract.h"
#include "template_echo.h"

// One static object per plugin, made when the module loads and never deleted:
// the host drives these very objects and never clones them.
static TemplateEcho templateEcho;
static Plugin* const Plugins[] = {&templateEcho};

// The four entry points: GetMagic, GetPluginCount, GetPluginInstance (null for
// any index outside the table) and GetPluginPackName.
OMBREL_DECLARE_PACK("Template", Plugins)
