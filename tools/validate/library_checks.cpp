#include "tools/validate/library_checks.h"

#include <climits>
#include <cstdio>
#include <functional>
#include <map>

#include "foundation/exception.h"
#include "foundation/timer.h"
#include "plugin/module.h"
#include "tools/validate/guarded_call.h"
#include "tools/validate/loaded_packs.h"
#include "tools/validate/test_values.h"
#include "tools/validate/value_makers.h"

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
    LibraryChecker(const std::string& file, ChildReporter& reporter)
        : file_(file), reporter_(reporter) {}

    void Run(const std::vector<std::string>& withFiles);

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

    void Result(const std::string& subject, const char* check, CheckResult::Status status,
                int level, const std::string& message, const std::string& fix = "");
    void Passed(const char* check, const std::string& message, const std::string& subject = "") {
        Result(subject, check, CheckResult::Passed, 0, message);
    }
    void Found(const char* check, int level, const std::string& message, const std::string& fix,
               const std::string& subject = "") {
        Result(subject, check, CheckResult::Finding, level, message, fix);
    }
    bool Call(const std::string& step, const std::function<void()>& call);

    const std::string file_;
    ChildReporter& reporter_;
    ModuleHandle module_ = nullptr;
    PluginPack* pack_ = nullptr;
    std::vector<PackPlugins> with_;
    int count_ = 0;
    std::vector<PluginEntry> plugins_;
    std::string step_;
};

void LibraryChecker::Result(const std::string& subject, const char* check,
                            CheckResult::Status status, int level, const std::string& message,
                            const std::string& fix) {
    CheckResult result(check, status, message, subject);
    result.level = level;
    result.step = status == CheckResult::Finding ? step_ : "";
    result.fix = fix;
    reporter_.Result(result);
}

// A call into the pack where only Ombrel::Exception may escape; true when it
// returned.
bool LibraryChecker::Call(const std::string& step, const std::function<void()>& call) {
    step_ = step;
    reporter_.Step(-1, step);
    CallOutcome outcome = GuardedCall(call);
    if (outcome.kind == CallOutcome::OtherException)
        Found("exception-type", FindingLevel::HostFails,
              step + " threw " + outcome.text + ": the host ends at once",
              "let no exception leave an entry point or a plugin's texts");
    return outcome.kind == CallOutcome::Returned;
}

bool LibraryChecker::Load() {
    step_ = "loading " + file_;
    reporter_.Step(-1, step_);
    Timer timer;
    timer.Reset();
    module_ = LoadModule(file_.c_str());
    double seconds = timer.Seconds();
    if (module_ == nullptr) {
        std::string reason = GetModuleLoadError().GetText();
        reporter_.Fatal("Unable to load: " + file_ +
                        (reason.empty() ? "" : "\n  loader: " + reason));
        return false;
    }
    char text[64];
    std::snprintf(text, sizeof text, "loaded in %.1f ms", seconds * 1000);
    Passed("load", "the library loader loads it");
    if (seconds > SlowLoadSeconds) {
        Found("load-time", FindingLevel::Timing, std::string(text) + ": the demo starts later",
              "do less when the module loads: make plugin objects cheap to construct and "
              "prepare in Start or at the first Run");
    } else {
        Passed("load-time", text);
    }
    return true;
}

bool LibraryChecker::LoadWithPacks(const std::vector<std::string>& withFiles) {
    for (const std::string& with : withFiles) {
        reporter_.Step(-1, "loading the --with pack " + with);
        try {
            with_.push_back(LoadPackPlugins(with));
        } catch (const Ombrel::Exception& e) {
            std::string reason = GetModuleLoadError().GetText();
            reporter_.Fatal("the --with pack " + with + " cannot be loaded: " + e.message +
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
        if (FindModuleFunction(module_, EntryPointNames[i])) continue;
        missing += std::string(missing.empty() ? "" : ", ") + EntryPointNames[i];
        const std::string name = EntryPointNames[i];
        const std::string variants[] = {MangledNames[i],   "_" + name,  name + "@0",
                                        "_" + name + "@0", name + "@4", "_" + name + "@4"};
        for (const std::string& variant : variants) {
            if (FindModuleFunction(module_, variant.c_str()))
                hints += "; " + name + " is exported as " + variant;
        }
    }
    if (missing.empty()) {
        Passed("entry-points",
               "GetMagic, GetPluginCount, GetPluginInstance and GetPluginPackName "
               "are exported under their plain names");
        return true;
    }
    step_ = "looking up the entry points";
    Found("entry-points", FindingLevel::HostFails,
          "missing: " + missing + hints +
              ". The host refuses the pack (\"Invalid plugin: " + file_ + "\")",
          "declare the entry points with OMBREL_DECLARE_PACK, which exports them extern \"C\" "
          "under their plain names");
    return false;
}

bool LibraryChecker::Magic() {
    auto getMagic = reinterpret_cast<GetMagicFunction>(FindModuleFunction(module_, "GetMagic"));
    unsigned int magic = 0;
    if (!Call("GetMagic", [&] { magic = getMagic(); })) return false;
    if (magic == PluginMagic) {
        Passed("magic", "GetMagic returns 0xCAFEACDC");
        return true;
    }
    char text[160];
    std::snprintf(text, sizeof text, "GetMagic returns 0x%08X, not 0xCAFEACDC. ", magic);
    Found("magic", FindingLevel::HostFails,
          text + std::string("The host refuses the pack (\"Invalid plugin: ") + file_ + "\")",
          "return PluginMagic from GetMagic (OMBREL_DECLARE_PACK does)");
    return false;
}

void LibraryChecker::PackName() {
    const char* name = nullptr;
    if (!Call("GetPluginPackName", [&] { name = pack_->getPluginPackName(); })) return;
    if (name == nullptr || name[0] == '\0') {
        Found("pack-name", FindingLevel::User,
              std::string("GetPluginPackName returns ") + (name ? "an empty text" : "null") +
                  ": the pack has no name to be known by",
              "return the pack's name, a static text");
    } else {
        Passed("pack-name", "\"" + Abbreviated(name) + "\"");
    }
}

void LibraryChecker::WalkPlugins() {
    count_ = pack_->pluginCount;
    if (count_ < 0) {
        step_ = "GetPluginCount";
        Found("plugin-count", FindingLevel::Contract,
              "GetPluginCount returns " + std::to_string(count_) +
                  ": the host reads it as a pack without plugins",
              "return the number of plugins, 0 or more");
    }
    const int walked = count_ < MaxCheckedPlugins ? count_ : MaxCheckedPlugins;
    for (int index = 0; index < walked; ++index) {
        Plugin* plugin = nullptr;
        const std::string step = "GetPluginInstance(" + std::to_string(index) + ")";
        if (!Call(step, [&] { plugin = pack_->getPluginInstance(index); })) return;
        if (plugin == nullptr) {
            Found("plugin-count", FindingLevel::HostFails,
                  step + " returns null below the count " + std::to_string(count_) +
                      ". The host refuses the pack (\"Invalid plugin: " + file_ + "\")",
                  "return from GetPluginCount the number of plugins that GetPluginInstance has");
            return;
        }
        plugins_.emplace_back();
        plugins_.back().plugin = plugin;
    }
    if (count_ > MaxCheckedPlugins) {
        Found("plugin-count", FindingLevel::User,
              "GetPluginCount returns " + std::to_string(count_) + "; only the first " +
                  std::to_string(MaxCheckedPlugins) + " are checked",
              "split the pack");
    } else if (count_ >= 0) {
        Passed("plugin-count", std::to_string(count_) + (count_ == 1 ? " plugin" : " plugins") +
                                   ", each with its object");
    }
}

void LibraryChecker::InvalidIndexes() {
    const int candidates[] = {-1, count_, INT_MAX, INT_MIN};
    bool clean = true;
    for (int index : candidates) {
        if (index >= 0 && index < count_) continue;
        Plugin* plugin = nullptr;
        const std::string step = "GetPluginInstance(" + std::to_string(index) + ")";
        if (!Call(step, [&] { plugin = pack_->getPluginInstance(index); })) {
            clean = false;
            continue;
        }
        if (plugin == nullptr) continue;
        clean = false;
        Found("invalid-index", FindingLevel::Contract,
              step + " returns an object for an index that has no plugin",
              "return null for every index outside 0 to count - 1; compare it as unsigned to "
              "catch negative ones too (OMBREL_DECLARE_PACK does)");
    }
    if (clean)
        Passed("invalid-index", "null for the indexes -1, count, 2147483647 and -2147483648");
}

void LibraryChecker::SameInstances() {
    for (size_t index = 0; index < plugins_.size(); ++index) {
        Plugin* again = nullptr;
        const std::string step = "GetPluginInstance(" + std::to_string(index) + ") again";
        if (!Call(step, [&] { again = pack_->getPluginInstance(static_cast<int>(index)); })) return;
        if (again != plugins_[index].plugin) {
            Found("same-instance", FindingLevel::Contract,
                  step + " returns another object: the host drives the first one it got",
                  "hand out one static object per plugin, the same at every call");
            return;
        }
    }
    Passed("same-instance", "each index gives the same object every time");
}

// The plugin's texts as the host reads them, and its descriptor.
void LibraryChecker::ReadPlugin(int index) {
    PluginEntry& entry = plugins_[index];
    const char* name = nullptr;
    const char* signature = nullptr;
    const std::string which = "plugin " + std::to_string(index);
    Call("GetName of " + which, [&] { name = entry.plugin->GetName(); });
    Call("GetSignature of " + which, [&] { signature = entry.plugin->GetSignature(); });
    entry.nameIsNull = name == nullptr;
    entry.signatureIsNull = signature == nullptr;
    entry.name = Text(name);
    entry.signature = Text(signature);
    step_ = "parsing the signature of " + which;
    reporter_.Step(-1, step_);
    entry.descriptor = DescribePlugin(entry.plugin, entry.parse);
}

// The report's name of each plugin: its own, or its index where the name is
// empty or shared with another plugin.
void LibraryChecker::NameSubjects() {
    std::map<std::string, int> uses;
    for (const PluginEntry& entry : plugins_) ++uses[entry.name];
    std::map<std::string, int> first;
    bool unique = true;
    for (size_t index = 0; index < plugins_.size(); ++index) {
        PluginEntry& entry = plugins_[index];
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
        step_ = "comparing the plugins' names";
        Found("unique-names", FindingLevel::Contract,
              "plugin " + number + " is called \"" + Abbreviated(entry.name) + "\" like plugin #" +
                  std::to_string(first[entry.name]) + ": the host only ever finds the first",
              "give every plugin of the pack a name of its own");
    }
    if (unique) Passed("unique-names", "every plugin has a name of its own");
}

void LibraryChecker::CheckTexts(PluginEntry& entry, ValueMakers& makers) {
    const std::string& subject = entry.subject;
    step_ = "the texts of " + subject;
    if (entry.descriptor == nullptr) {
        Found("signature", FindingLevel::HostFails,
              (entry.parse.kind == CallOutcome::OmbrelException ? "\"" + entry.parse.text + "\""
                                                                : entry.parse.text) +
                  ": the host stops when it adds the pack",
              "write the signature as a comma-separated list of \"[opt] in|out Type name\"",
              subject);
    } else if (entry.nameIsNull || entry.signatureIsNull) {
        Found("signature", FindingLevel::Contract,
              std::string(entry.nameIsNull ? "GetName" : "GetSignature") +
                  " returns null: the host reads it as an empty text",
              "return a static text", subject);
    } else {
        Passed("signature", Arguments(entry.descriptor->GetArgumentCount()), subject);
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
        Passed("stable-texts", "the same name and signature at every call", subject);
    } else {
        Found("stable-texts", FindingLevel::Contract,
              "GetName or GetSignature returns another text at a later call: the host keeps "
              "the first, and another program may read a different one",
              "return the same static texts at every call", subject);
    }

    if (entry.descriptor == nullptr) {
        for (const char* check : {"signature-complete", "known-types"})
            Result(subject, check, CheckResult::Skipped, 0, "its signature does not parse");
        return;
    }
    const PluginDescriptor& descriptor = *entry.descriptor;
    step_ = "the signature of " + subject;
    if (descriptor.unreadFrom >= 0 &&
        descriptor.unreadFrom < static_cast<int>(entry.signature.size())) {
        std::string rest = entry.signature.substr(descriptor.unreadFrom);
        if (rest.size() > 40) rest = rest.substr(0, 40) + "...";
        Found("signature-complete", FindingLevel::User,
              "the argument list ends after " + Arguments(descriptor.GetArgumentCount()) +
                  ", before the text does: the host ignores \"" + rest + "\"",
              "remove what stops the list there (a second comma, a digit, a line break after a "
              "comma) so that every argument is read",
              subject);
    } else {
        Passed("signature-complete", "the whole text is read", subject);
    }

    std::string unknown;
    for (int i = 0; i < descriptor.GetArgumentCount(); ++i) {
        const std::string type = descriptor.typeNames[i].GetText();
        if (!descriptor.inFlags[i] || IsHostType(type) || makers.CanMake(type, entry.plugin))
            continue;
        unknown += (unknown.empty() ? "\"" : ", \"") + type + "\"";
        String text;
        text.Assign(type.c_str());
        for (const char* host : {"int", "bool", "float", "String"}) {
            if (type != host && text.CompareNoCase(host) == 0)
                unknown += std::string(" (did you mean \"") + host + "\"?)";
        }
    }
    if (unknown.empty()) {
        Passed("known-types", "the host or a plugin at hand makes every type it reads", subject);
    } else {
        Found("known-types", FindingLevel::User,
              "no plugin of the pack or of the --with packs makes " + unknown +
                  ": its own checks cannot run",
              "give the pack that makes the type with --with, or fix the type's name", subject);
    }
}

void LibraryChecker::Run(const std::vector<std::string>& withFiles) {
    if (!Load() || !LoadWithPacks(withFiles) || !EntryPoints() || !Magic()) return;
    reporter_.Step(-1, "adding the pack as the host does");
    try {
        pack_ = new PluginPack(file_.c_str());
    } catch (const Ombrel::Exception& e) {
        reporter_.Fatal(e.message);
        return;
    }
    PackName();
    WalkPlugins();
    InvalidIndexes();
    SameInstances();
    for (size_t index = 0; index < plugins_.size(); ++index) ReadPlugin(static_cast<int>(index));
    NameSubjects();

    PackPlugins self;
    self.pack = pack_;
    for (const PluginEntry& entry : plugins_) self.descriptors.push_back(entry.descriptor);
    ValueMakers makers(self, with_, reporter_);
    for (size_t index = 0; index < plugins_.size(); ++index) {
        PluginEntry& entry = plugins_[index];
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
        reporter_.Plugin(static_cast<int>(index), entry.subject, runnable, whyNot);
        CheckTexts(entry, makers);
    }
    Passed("exception-type", "nothing but Ombrel::Exception left the pack while it was added");
}

}  // namespace

const std::vector<std::string>& LibraryCheckNames() {
    static const std::vector<std::string> names = {
        "load",         "load-time",      "entry-points",  "magic",
        "pack-name",    "plugin-count",   "invalid-index", "same-instance",
        "unique-names", "exception-type", "crash",         "hang"};
    return names;
}

const std::vector<std::string>& PluginTextCheckNames() {
    static const std::vector<std::string> names = {"signature", "signature-complete",
                                                   "stable-texts", "known-types"};
    return names;
}

void RunLibraryChecks(const std::string& packFile, const std::vector<std::string>& withFiles,
                      ChildReporter& reporter) {
    LibraryChecker(packFile, reporter).Run(withFiles);
}
