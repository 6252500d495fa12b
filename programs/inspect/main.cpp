// ombrel-inspect: loads one plugin pack exactly as the host does and prints
// what the host would see: the file the loader loaded, the pack's name, its
// plugin count and every plugin's parsed arguments, or the message that would
// stop the host.
//
//   ombrel-inspect <pack file>
//
// Exit status 0 when the pack loads completely, 1 when it is rejected, 2 on
// wrong usage.

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "foundation/exception.h"
#include "plugin/descriptor.h"
#include "plugin/module.h"
#include "plugin/pack.h"
#include "programs/support/version_option.h"

namespace {

void PrintDescriptor(int index, const PluginDescriptor& descriptor) {
    std::printf("Plugin %d: %s\n", index, descriptor.name.GetText());
    if (descriptor.GetArgumentCount() == 0) std::printf("  (no arguments)\n");
    for (int i = 0; i < descriptor.GetArgumentCount(); ++i) {
        std::printf("  %d: %s%s %s %s\n", i, descriptor.optionalFlags[i] ? "opt " : "",
                    descriptor.inFlags[i] ? "in" : "out", descriptor.typeNames[i].GetText(),
                    descriptor.argumentNames[i].GetText());
    }
}

void PrintDescriptors(PluginPack& pack) {
    int index = 0;
    for (pack.descriptors.MoveFirst(); pack.descriptors.HasCurrent(); pack.descriptors.MoveNext()) {
        PrintDescriptor(index++, *pack.descriptors.GetCurrent());
    }
}

// Says which file the loader loaded. A bare name is looked for beside the
// inspector, as the host looks for its packs, so run from a folder that holds
// a pack of that name it may load another file: the author is told so.
void PrintLoadedFile(const char* fileName, ModuleHandle module) {
    String path = GetModulePath(module);
    if (path.GetLength() == 0) return;
    std::printf("File: %s\n", path.GetText());
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::path(fileName).has_parent_path() || !fs::exists(fileName, error)) return;
    if (fs::equivalent(fileName, path.GetText(), error) || error) return;
    std::printf("Note: this is not the %s in the current folder (give ./%s to inspect that one)\n",
                fileName, fileName);
}

int Inspect(const char* fileName) {
    // The module stays loaded; the pack below gets the very same one.
    ModuleHandle module = LoadModule(fileName);
    if (module) PrintLoadedFile(fileName, module);
    PluginPack* pack = nullptr;
    try {
        pack = new PluginPack(fileName);
    } catch (const Ombrel::Exception& e) {
        std::fprintf(stderr, "%s\n", e.message);
        String reason = GetModuleLoadError();
        if (reason.GetLength() > 0) std::fprintf(stderr, "  loader: %s\n", reason.GetText());
        return 1;
    }
    std::printf("Pack: %s\n", pack->name.GetText());
    std::printf("Plugins: %d\n", pack->pluginCount);
    try {
        pack->LoadPlugins();
    } catch (const Ombrel::Exception& e) {
        // The plugins before the failing one are what the host keeps.
        PrintDescriptors(*pack);
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", e.message);
        return 1;
    }
    PrintDescriptors(*pack);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (PrintVersionWhenAsked(argc, argv, "ombrel-inspect")) return 0;
    if (argc != 2) {
        std::fprintf(stderr,
                     "usage: ombrel-inspect <pack file>\n"
                     "A bare file name is searched for as the host searches for its packs\n"
                     "(beside the program); give a path, such as ./MyPack%s, for any other.\n",
                     OMBREL_PACK_SUFFIX);
        return 2;
    }
    return Inspect(argv[1]);
}
