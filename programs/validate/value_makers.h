#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "plugin/variable.h"
#include "programs/validate/channel.h"
#include "programs/validate/loaded_packs.h"

// Makes the values of types that only packs make ("OpenGL", "COctreeScene")
// as the host's graph does: by running, once, a plugin that has an "out"
// argument of that type, with ordinary values in its other arguments. What a
// maker made stays in place for the rest of the child process.
class ValueMakers {
public:
    ValueMakers(const PackPlugins& underCheck, const std::vector<PackPlugins>& with,
                ChildReporter& childReporter);

    // Runs every plugin of the --with packs that has an "out" argument, in the
    // order given, as the host's graph runs its window plugin before the
    // scene. False, with `failure` set, when one of them fails.
    bool RunWithPackMakers(std::string& failure);
    // A variable holding a value of the type, made by a plugin other than
    // `except` (the pack under check is searched first); null, with `failure`
    // set, when none can be made.
    Variable* Provide(const std::string& typeName, Plugin* except, std::string& failure);
    // Whether a plugin of these packs, other than `except`, has an "out"
    // argument of the type.
    bool CanMake(const std::string& typeName, Plugin* except) const;

private:
    bool RunMaker(PluginDescriptor& maker, std::string& failure);

    std::vector<const PackPlugins*> packs;  // the pack under check first
    ChildReporter& reporter;
    std::map<std::string, Variable*> made;
    std::set<Plugin*> ran;
};

// Whether the plugin has an "out" argument of the type.
bool Makes(const PluginDescriptor& plugin, const std::string& typeName);
// Whether it has any "out" argument: the host's graph runs such a plugin once.
bool IsMaker(const PluginDescriptor& plugin);
