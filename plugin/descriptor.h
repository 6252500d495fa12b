#pragma once

#include "foundation/array.h"
#include "foundation/string.h"
#include "plugin/contract.h"

// The host's record of one plugin of a loaded pack: the pack's plugin object,
// its name, and its argument list parsed from the signature text, one entry
// per argument in each of the four parallel arrays. Complete once constructed;
// owned by its pack and never deleted. The plugin object is the pack's.
class PluginDescriptor {
public:
    String name;
    Array<bool> optionalFlags;
    Array<bool> inFlags;
    Array<String> typeNames;
    Array<String> argumentNames;
    Plugin* plugin;
    // Where the argument list ended before the text did: the offset in the
    // signature text of the first character that was not read, or -1 when
    // the whole text was read (a comma at the very end counts as read). The
    // arguments are those before it; what follows is not part of the
    // signature, and nothing stops a call from binding an index beyond them.
    int unreadFrom;

    // Reads the plugin's name and then its signature, and parses the
    // signature. Throws Ombrel::Exception, naming the plugin, when the
    // signature is malformed.
    explicit PluginDescriptor(Plugin* plugin);
    ~PluginDescriptor() = default;

    PluginDescriptor(const PluginDescriptor&) = delete;
    PluginDescriptor& operator=(const PluginDescriptor&) = delete;

    int GetArgumentCount() const { return typeNames.count; }

private:
    void ParseArguments(const String& signature);
};
