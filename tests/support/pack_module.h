#pragma once

#include <string>

#include "plugin/contract.h"

// The Vantrope pack loaded from the folder of the running program, as the
// host loads it, with its four entry points.
class PackModule {
public:
    PackModule();  // throws std::runtime_error with the loader's reason
    ~PackModule();
    PackModule(const PackModule&) = delete;
    PackModule& operator=(const PackModule&) = delete;

    GetMagicFunction getMagic;
    GetPluginCountFunction getPluginCount;
    GetPluginInstanceFunction getPluginInstance;
    GetPluginPackNameFunction getPluginPackName;

    // The plugin of that name, or null.
    Plugin* Find(const char* name) const;

private:
    void* handle;
};
