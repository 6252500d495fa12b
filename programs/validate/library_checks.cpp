#include "programs/validate/library_checks.h"

#include <climits>
#include <cstdio>
#include <functional>
#include <map>

#include "foundation/exception.h"
#include "foundation/timer.h"
#include "plugin/module.h"
#include "programs/validate/graph_checks.h"
#include "programs/validate/guarded_call.h"
#include "programs/validate/loaded_packs.h"
#include "programs/validate/test_values.h"
#include "programs/validate/value_makers.h"

namespace {

const char* const EntryPointNames[] = {"GetMagic", "GetPluginCount", "GetPluginInstance",
                                       "GetPluginPackName"};
// The C++ names of the entry points, as a pack that forgot extern "C"
// exports them.
const char* const MangledNames[] = {"_Z8GetMagicv", "_Z14GetPluginCountv", "_Z17GetPluginInstancei",
                                    "_Z17GetPluginPackNamev"};
const double SlowLoadSeconds = 1.0;
const int TextReadings = 3;
const size_t LongestSubject = 60;

std::string Text(const char* text) {
    return text ? text : "";
}

std::string Arguments(int count) {
    return std::to_string(count) + (count == 1 ? " argument" : " arguments");
}

// What the report calls a plugin or the pack: its name on one line, shortened
// when it is very long.
std::string Abbreviated(const std::string& name) {
    std::string shown = name.size() <= LongestSubject ? name : name.substr(0, 40);
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    if (name.size() <= LongestSubject) return shown;
    return shown + "... (" + std::to_string(name.size()) + " characters)";
}

// What the loader knows of a plugin index.
struct PluginEntry {
    Plugin* plugin = nullptr;
    std::string name;
    std::string signature;
    bool nameIsNull = false;
    bool signatureIsNull = false;
    PluginDescriptor* descriptor = nullptr;
    CallOutcome parse;  // what came of building the descriptor
    std::string subject;
};

class LibraryChecker {
public:
    LibraryChecker(const std::string& packFile, ChildReporter& childReporter)
        : file(packFile), reporter(childReporter) {}

    void Run(const std::vector<std::string>& withFiles, bool graph);

private:
    bool Load();
    bool LoadWithPacks(const std::vector<std::string>& withFiles);
    bool EntryPoints();
    bool Magic();
    void PackName();
    void WalkPlugins();
    void InvalidIndexes();
    void SameInstances();
    void ReadPlugin(int index);
    void NameSubjects();
    void CheckTexts(PluginEntry& entry, ValueMakers& makers);
    void DemoGraph();

    void Result(const std::string& subject, Check check, CheckResult::Status status, int level,
                const std::string& message, const std::string& fix = "");
    void Passed(Check check, const std::string& message, const std::string& subject = "") {
        Result(subject, check, CheckResult::Passed, 0, message);
    }
    void Found(Check check, int level, const std::string& message, const std::string& fix,
               const std::string& subject = "") {
        Result(subject, check, CheckResult::Finding, level, message, fix);
    }
    bool Call(const std::string& what, const std::function<void()>& call);

    const std::string file;
    ChildReporter& reporter;
    ModuleHandle module = nullptr;
    PluginPack* pack = nullptr;
    std::vector<PackPlugins> with;
    int count = 0;
    std::vector<PluginEntry> plugins;
    std::string step;
};

void LibraryChecker::Result(const std::string& subject, Check check, CheckResult::Status status,
                            int level, const std::string& message, const std::string& fix) {
    CheckResult result(check, status, message, subject);
    result.level = level;
    result.step = status == CheckResult::Finding ? step : "";
    result.fix = fix;
    reporter.Result(result);
}

// A call into the pack where only Ombrel::Exception may escape; true when it
// returned.
bool LibraryChecker::Call(const std::string& what, const std::function<void()>& call) {
    step = what;
    reporter.Step(-1, step);
    CallOutcome outcome = GuardedCall(call);
    if (outcome.kind == CallOutcome::OtherException)
        Found(Check::ExceptionType, FindingLevel::HostFails,
              step + " threw " + outcome.text + ": the host ends at once",
              "let no exception leave an entry point or a plugin's texts");
    return outcome.kind == CallOutcome::Returned;
}

bool LibraryChecker::Load() {
    step = "loading " + file;
    reporter.Step(-1, step);
    Timer timer;
    timer.Reset();
    module = LoadModule(file.c_str());
    double seconds = timer.Seconds();
    if (module == nullptr) {
        std::string reason = GetModuleLoadError().GetText();
        reporter.Fatal("Unable to load: " + file + (reason.empty() ? "" : "\n  loader: " + reason));
        return false;
    }
    char text[64];
    std::snprintf(text, sizeof text, "loaded in %.1f ms", seconds * 1000);
    Passed(Check::Load, "the library loader loads it");
    if (seconds > SlowLoadSeconds) {
        Found(Check::LoadTime, FindingLevel::Timing, std::string(text) + ": the demo starts later",
              "do less when the module loads: make plugin objects cheap to construct and "
              "prepare in Start or at the first Run");
    } else {
        Passed(Check::LoadTime, text);
    }
    return true;
}

bool LibraryChecker::LoadWithPacks(const std::vector<std::string>& withFiles) {
    for (const std::string& withFile : withFiles) {
        reporter.Step(-1, "loading the --with pack " + withFile);
        try {
            with.push_back(LoadPackPlugins(withFile));
        } catch (const Ombrel::Exception& e) {
            std::string reason = GetModuleLoadError().GetText();
            reporter.Fatal("the --with pack " + withFile + " cannot be loaded: " + e.message +
                           (reason.empty() ? "" : "\n  loader: " + reason));
            return false;
        }
    }
    return true;
}

bool LibraryChecker::EntryPoints() {
    std::string missing;
    std::string hints;
    for (int i = 0; i < 4; ++i) {
        if (FindModuleFunction(module, EntryPointNames[i])) continue;
        missing += std::string(missing.empty() ? "" : ", ") + EntryPointNames[i];
        const std::string name = EntryPointNames[i];
        const std::string variants[] = {MangledNames[i],   "_" + name,  name + "@0",
                                        "_" + name + "@0", name + "@4", "_" + name + "@4"};
        for (const std::string& variant : variants) {
            if (FindModuleFunction(module, variant.c_str()))
                hints += "; " + name + " is exported as " + variant;
        }
    }
    if (missing.empty()) {
        Passed(Check::EntryPoints,
               "GetMagic, GetPluginCount, GetPluginInstance and GetPluginPackName "
               "are exported under their plain names");
        return true;
    }
    step = "looking up the entry points";
    Found(Check::EntryPoints, FindingLevel::HostFails,
          "missing: " + missing + hints + ". The host refuses the pack (\"Invalid plugin: " + file +
              "\")",
          "declare the entry points with OMBREL_DECLARE_PACK, which exports them extern \"C\" "
          "under their plain names");
    return false;
}

bool LibraryChecker::Magic() {
    auto getMagic = reinterpret_cast<GetMagicFunction>(FindModuleFunction(module, "GetMagic"));
    unsigned int magic = 0;
    if (!Call("GetMagic", [&] { magic = getMagic(); })) return false;
    if (magic == PluginMagic) {
        Passed(Check::Magic, "GetMagic returns 0xCAFEACDC");
        return true;
    }
    char text[160];
    std::snprintf(text, sizeof text, "GetMagic returns 0x%08X, not 0xCAFEACDC. ", magic);
    Found(Check::Magic, FindingLevel::HostFails,
          text + std::string("The host refuses the pack (\"Invalid plugin: ") + file + "\")",
          "return PluginMagic from GetMagic (OMBREL_DECLARE_PACK does)");
    return false;
}

void LibraryChecker::PackName() {
    const char* name = nullptr;
    if (!Call("GetPluginPackName", [&] { name = pack->getPluginPackName(); })) return;
    if (name == nullptr || name[0] == '\0') {
        Found(Check::PackName, FindingLevel::User,
              std::string("GetPluginPackName returns ") + (name ? "an empty text" : "null") +
                  ": the pack has no name to be known by",
              "return the pack's name, a static text");
    } else {
        Passed(Check::PackName, "\"" + Abbreviated(name) + "\"");
    }
}

void LibraryChecker::WalkPlugins() {
    count = pack->pluginCount;
    if (count < 0) {
        step = "GetPluginCount";
        Found(Check::PluginCount, FindingLevel::Contract,
              "GetPluginCount returns " + std::to_string(count) +
                  ": the host reads it as a pack without plugins",
              "return the number of plugins, 0 or more");
    }
    const int walked = count < MaxCheckedPlugins ? count : MaxCheckedPlugins;
    for (int index = 0; index < walked; ++index) {
        Plugin* plugin = nullptr;
        const std::string called = "GetPluginInstance(" + std::to_string(index) + ")";
        if (!Call(called, [&] { plugin = pack->getPluginInstance(index); })) return;
        if (plugin == nullptr) {
            Found(Check::PluginCount, FindingLevel::HostFails,
                  called + " returns null below the count " + std::to_string(count) +
                      ". The host refuses the pack (\"Invalid plugin: " + file + "\")",
                  "return from GetPluginCount the number of plugins that GetPluginInstance has");
            return;
        }
        plugins.emplace_back();
        plugins.back().plugin = plugin;
    }
    if (count > MaxCheckedPlugins) {
        Found(Check::PluginCount, FindingLevel::User,
              "GetPluginCount returns " + std::to_string(count) + "; only the first " +
                  std::to_string(MaxCheckedPlugins) + " are checked",
              "split the pack");
    } else if (count >= 0) {
        Passed(Check::PluginCount, std::to_string(count) + (count == 1 ? " plugin" : " plugins") +
                                       ", each with its object");
    }
}

void LibraryChecker::InvalidIndexes() {
    const int candidates[] = {-1, count, INT_MAX, INT_MIN};
    bool clean = true;
    for (int index : candidates) {
        if (index >= 0 && index < count) continue;
        Plugin* plugin = nullptr;
        const std::string called = "GetPluginInstance(" + std::to_string(index) + ")";
        if (!Call(called, [&] { plugin = pack->getPluginInstance(index); })) {
            clean = false;
            continue;
        }
        if (plugin == nullptr) continue;
        clean = false;
        Found(Check::InvalidIndex, FindingLevel::Contract,
              called + " returns an object for an index that has no plugin",
              "return null for every index outside 0 to count - 1; compare it as unsigned to "
              "catch negative ones too (OMBREL_DECLARE_PACK does)");
    }
    if (clean)
        Passed(Check::InvalidIndex, "null for the indexes -1, count, 2147483647 and -2147483648");
}

void LibraryChecker::SameInstances() {
    for (size_t index = 0; index < plugins.size(); ++index) {
        Plugin* again = nullptr;
        const std::string called = "GetPluginInstance(" + std::to_string(index) + ") again";
        if (!Call(called, [&] { again = pack->getPluginInstance(static_cast<int>(index)); }))
            return;
        if (again != plugins[index].plugin) {
            Found(Check::SameInstance, FindingLevel::Contract,
                  called + " returns another object: the host drives the first one it got",
                  "hand out one static object per plugin, the same at every call");
            return;
        }
    }
    Passed(Check::SameInstance, "each index gives the same object every time");
}

// The plugin's texts as the host reads them, and its descriptor.
void LibraryChecker::ReadPlugin(int index) {
    PluginEntry& entry = plugins[index];
    const char* name = nullptr;
    const char* signature = nullptr;
    const std::string which = "plugin " + std::to_string(index);
    Call("GetName of " + which, [&] { name = entry.plugin->GetName(); });
    Call("GetSignature of " + which, [&] { signature = entry.plugin->GetSignature(); });
    entry.nameIsNull = name == nullptr;
    entry.signatureIsNull = signature == nullptr;
    entry.name = Text(name);
    entry.signature = Text(signature);
    step = "parsing the signature of " + which;
    reporter.Step(-1, step);
    entry.descriptor = DescribePlugin(entry.plugin, entry.parse);
}

// The report's name of each plugin: its own, or its index where the name is
// empty or shared with another plugin.
void LibraryChecker::NameSubjects() {
    std::map<std::string, int> uses;
    for (const PluginEntry& entry : plugins) ++uses[entry.name];
    std::map<std::string, int> first;
    bool unique = true;
    for (size_t index = 0; index < plugins.size(); ++index) {
        PluginEntry& entry = plugins[index];
        const std::string number = "#" + std::to_string(index);
        entry.subject = entry.name.empty()     ? number
                        : uses[entry.name] > 1 ? Abbreviated(entry.name) + " " + number
                                               : Abbreviated(entry.name);
        if (entry.name.empty() || uses[entry.name] == 1) continue;
        if (first.count(entry.name) == 0) {
            first[entry.name] = static_cast<int>(index);
            continue;
        }
        unique = false;
        step = "comparing the plugins' names";
        Found(Check::UniqueNames, FindingLevel::Contract,
              "plugin " + number + " is called \"" + Abbreviated(entry.name) + "\" like plugin #" +
                  std::to_string(first[entry.name]) + ": the host only ever finds the first",
              "give every plugin of the pack a name of its own");
    }
    if (unique) Passed(Check::UniqueNames, "every plugin has a name of its own");
}

void LibraryChecker::CheckTexts(PluginEntry& entry, ValueMakers& makers) {
    const std::string& subject = entry.subject;
    step = "the texts of " + subject;
    if (entry.descriptor == nullptr) {
        Found(Check::Signature, FindingLevel::HostFails,
              (entry.parse.kind == CallOutcome::OmbrelException ? "\"" + entry.parse.text + "\""
                                                                : entry.parse.text) +
                  ": the host stops when it adds the pack",
              "write the signature as a comma-separated list of \"[opt] in|out Type name\"",
              subject);
    } else if (entry.nameIsNull || entry.signatureIsNull) {
        Found(Check::Signature, FindingLevel::Contract,
              std::string(entry.nameIsNull ? "GetName" : "GetSignature") +
                  " returns null: the host reads it as an empty text",
              "return a static text", subject);
    } else {
        Passed(Check::Signature, Arguments(entry.descriptor->GetArgumentCount()), subject);
    }

    bool stable = true;
    for (int reading = 0; reading < TextReadings && stable; ++reading) {
        std::string name, signature;
        Call("GetName and GetSignature of " + subject + ", again", [&] {
            name = Text(entry.plugin->GetName());
            signature = Text(entry.plugin->GetSignature());
        });
        stable = name == entry.name && signature == entry.signature;
    }
    if (stable) {
        Passed(Check::StableTexts, "the same name and signature at every call", subject);
    } else {
        Found(Check::StableTexts, FindingLevel::Contract,
              "GetName or GetSignature returns another text at a later call: the host keeps "
              "the first, and another program may read a different one",
              "return the same static texts at every call", subject);
    }

    if (entry.descriptor == nullptr) {
        for (Check check : {Check::SignatureComplete, Check::KnownTypes})
            Result(subject, check, CheckResult::Skipped, 0, "its signature does not parse");
        return;
    }
    const PluginDescriptor& descriptor = *entry.descriptor;
    step = "the signature of " + subject;
    if (descriptor.unreadFrom >= 0 &&
        descriptor.unreadFrom < static_cast<int>(entry.signature.size())) {
        std::string rest = entry.signature.substr(descriptor.unreadFrom);
        if (rest.size() > 40) rest = rest.substr(0, 40) + "...";
        Found(Check::SignatureComplete, FindingLevel::User,
              "the argument list ends after " + Arguments(descriptor.GetArgumentCount()) +
                  ", before the text does: the host ignores \"" + rest + "\"",
              "remove what stops the list there (a second comma, a digit, a line break after a "
              "comma) so that every argument is read",
              subject);
    } else {
        Passed(Check::SignatureComplete, "the whole text is read", subject);
    }

    std::string unknown;
    for (int i = 0; i < descriptor.GetArgumentCount(); ++i) {
        const std::string type = descriptor.typeNames[i].GetText();
        if (!descriptor.inFlags[i] || IsHostType(type) || makers.CanMake(type, entry.plugin))
            continue;
        unknown += (unknown.empty() ? "\"" : ", \"") + type + "\"";
        String text;
        text.Assign(type.c_str());
        int hostTypeCount = 0;
        const HostType* hostTypes = HostTypes(hostTypeCount);
        for (int k = 0; k < hostTypeCount; ++k) {
            if (type != hostTypes[k].name && text.CompareNoCase(hostTypes[k].name) == 0)
                unknown += std::string(" (did you mean \"") + hostTypes[k].name + "\"?)";
        }
    }
    if (unknown.empty()) {
        Passed(Check::KnownTypes, "the host or a plugin at hand makes every type it reads",
               subject);
    } else {
        Found(Check::KnownTypes, FindingLevel::User,
              "no plugin of the pack or of the --with packs makes " + unknown +
                  ": its own checks cannot run",
              "give the pack that makes the type with --with, or fix the type's name", subject);
    }
}

void LibraryChecker::DemoGraph() {
    step = "comparing the pack with the demo graph";
    reporter.Step(-1, step);
    std::vector<GraphPlugin> own;
    for (const PluginEntry& entry : plugins) own.push_back({entry.name, entry.descriptor});
    std::vector<std::string> withNames;
    for (const PackPlugins& withPack : with) {
        for (const PluginDescriptor* descriptor : withPack.descriptors)
            if (descriptor != nullptr) withNames.push_back(descriptor->name.GetText());
    }
    for (const CheckResult& result : CheckDemoGraph(file, own, withNames))
        Result("", FindCheck(result.check)->id, result.status, result.level, result.message,
               result.fix);
}

void LibraryChecker::Run(const std::vector<std::string>& withFiles, bool graph) {
    if (!Load() || !LoadWithPacks(withFiles) || !EntryPoints() || !Magic()) return;
    reporter.Step(-1, "adding the pack as the host does");
    try {
        pack = new PluginPack(file.c_str());
    } catch (const Ombrel::Exception& e) {
        reporter.Fatal(e.message);
        return;
    }
    PackName();
    WalkPlugins();
    InvalidIndexes();
    SameInstances();
    for (size_t index = 0; index < plugins.size(); ++index) ReadPlugin(static_cast<int>(index));
    NameSubjects();
    if (graph) DemoGraph();

    PackPlugins self;
    self.pack = pack;
    for (const PluginEntry& entry : plugins) self.descriptors.push_back(entry.descriptor);
    ValueMakers makers(self, with, reporter);
    for (size_t index = 0; index < plugins.size(); ++index) {
        PluginEntry& entry = plugins[index];
        bool runnable = entry.descriptor != nullptr;
        std::string whyNot = runnable ? "" : "its signature does not parse";
        for (int i = 0; runnable && i < entry.descriptor->GetArgumentCount(); ++i) {
            const std::string type = entry.descriptor->typeNames[i].GetText();
            if (entry.descriptor->inFlags[i] && !IsHostType(type) &&
                !makers.CanMake(type, entry.plugin)) {
                runnable = false;
                whyNot = "no plugin at hand makes its \"" + type + "\" argument";
            }
        }
        reporter.Plugin(static_cast<int>(index), entry.subject, runnable, whyNot);
        CheckTexts(entry, makers);
    }
    Passed(Check::ExceptionType, "nothing but Ombrel::Exception left the pack while it was added");
}

}  // namespace

const std::vector<Check>& LibraryChecks() {
    static const std::vector<Check> names = ChecksOf('P');
    return names;
}

const std::vector<Check>& PluginTextChecks() {
    static const std::vector<Check> names = ChecksOf('T');
    return names;
}

const std::vector<Check>& GraphChecks() {
    static const std::vector<Check> names = ChecksOf('G');
    return names;
}

void RunLibraryChecks(const std::string& packFile, const std::vector<std::string>& withFiles,
                      bool graph, ChildReporter& reporter) {
    LibraryChecker(packFile, reporter).Run(withFiles, graph);
}
