// The signature parser, through PluginDescriptor, on a plugin whose signature
// is the fuzz input (NUL bytes cut it short, as they would a pack's text).
// Parsing either succeeds with four parallel arrays of one length, every type
// and argument name an identifier, or fails with one of its three messages.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "plugin/contract.h"
#include "plugin/descriptor.h"
#include "tests/fixtures/fixed_plugin.h"

namespace {

bool IsIdentifier(const char* text) {
    if (!((*text >= 'a' && *text <= 'z') || (*text >= 'A' && *text <= 'Z'))) return false;
    for (++text; *text; ++text) {
        char c = *text;
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '_'))
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string signature(reinterpret_cast<const char*>(data), size);
    FixedPlugin plugin("FuzzedPlugin", signature.c_str());
    try {
        PluginDescriptor descriptor(&plugin);
        int n = descriptor.typeNames.count;
        if (descriptor.argumentNames.count != n || descriptor.inFlags.count != n ||
            descriptor.optionalFlags.count != n) {
            abort();
        }
        for (int i = 0; i < n; ++i) {
            if (!IsIdentifier(descriptor.typeNames[i].GetText())) abort();
            if (!IsIdentifier(descriptor.argumentNames[i].GetText())) abort();
        }
    } catch (const Ombrel::Exception& e) {
        if (std::strcmp(e.message, "Invalid definition of plugin FuzzedPlugin.") != 0 &&
            std::strcmp(
                e.message,
                "Invalid definition of plugin FuzzedPlugin, missing in/out type qualifier.") != 0 &&
            std::strcmp(e.message, "Missing ',' at plugin FuzzedPlugin definition.") != 0) {
            abort();
        }
    }
    return 0;
}
