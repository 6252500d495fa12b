#pragma once

// The binary contract between the host and every plugin pack. This is the one
// header a pack includes: with it come Value and Stream, String,
// Ombrel::Exception, the scalar values IntValue and FloatValue, and the
// readers and writers of argument slots. A pack built from any other
// declaration of these types does not work with the host, even where it loads.

#include "foundation/exception.h"
#include "foundation/stream.h"
#include "foundation/string.h"
#include "plugin/argument_slots.h"
#include "plugin/scalar_value.h"

// A pack's GetMagic must return this number.
const unsigned int PluginMagic = 0xCAFEACDCu;

// The interface of the objects a pack hands out.
//
// THE SLOT ORDER IS FROZEN. The host calls these operations through the table
// of the object it is given: adding, removing or reordering a slot breaks every
// pack. There is no virtual destructor: a plugin object belongs to its pack.
//
// Argument slots: the host binds argument i (the 0-based position in the
// signature) by passing the address of one of its variables' value pointers.
// For an "in" argument the plugin reads *slot at every Run; for an "out"
// argument it stores a new Value of its own into *slot. Neither side frees a
// value the other made.
class Plugin {
public:
    // Slot 0. Never called by the host. Returns a new heap object of the same
    // class with no argument bound.
    virtual Plugin* Clone() = 0;
    // Slot 1. Never called by the host. Deletes an object made by Clone; never
    // call it on an object that GetPluginInstance returned.
    virtual void Release() = 0;
    // Slot 2. Called once when the pack is added, right after GetName. Returns
    // the signature text, e.g. "in OpenGL openGL, in float  time, in int count".
    // The text is static and stays the pack's; the host copies it at once.
    virtual const char* GetSignature() = 0;
    // Slot 3. Called once when the pack is added. Returns the plugin's name,
    // a static text of the pack; the host copies it at once.
    virtual const char* GetName() = 0;
    // Slots 4 to 9. Never called by the host; free texts, empty is fine.
    virtual const char* GetInfo1() = 0;
    virtual const char* GetInfo2() = 0;
    virtual const char* GetInfo3() = 0;
    virtual const char* GetInfo4() = 0;
    virtual const char* GetInfo5() = 0;
    virtual const char* GetInfo6() = 0;
    // Slot 10. Called while the demo graph is built and again whenever the
    // host chooses (some arguments are rebound every frame). Remember `slot`
    // for argument `index`; ignore an index the plugin does not have.
    virtual void SetArgument(int index, Value** slot) = 0;
    // Slot 11. The call using this plugin has started: set up per-run state.
    virtual void Start() = 0;
    // Slot 12. True when ready to run; false keeps the host from calling Run.
    virtual bool Prepare() = 0;
    // Slot 13. Do the work once (once per frame for a looping call). Every
    // argument has been bound and every "in" slot holds a value of its type.
    // Throw Ombrel::Exception to report a failure; the host catches it.
    virtual void Run() = 0;
    // Slot 14. Release what this plugin made for the call, such as the values
    // it stored through "out" slots.
    virtual void Stop() = 0;

protected:
    Plugin() = default;
    ~Plugin() = default;
};

// A plugin with nothing to say in slots 4 to 9: GetInfo1 to GetInfo6 all
// answer one shared empty text. A class can still override any of them.
class PluginWithoutInfo : public Plugin {
public:
    const char* GetInfo1() override { return EmptyInfo(); }
    const char* GetInfo2() override { return EmptyInfo(); }
    const char* GetInfo3() override { return EmptyInfo(); }
    const char* GetInfo4() override { return EmptyInfo(); }
    const char* GetInfo5() override { return EmptyInfo(); }
    const char* GetInfo6() override { return EmptyInfo(); }

protected:
    PluginWithoutInfo() = default;
    ~PluginWithoutInfo() = default;

private:
    static const char* EmptyInfo() {
        static const char text[] = "";
        return text;
    }
};

// The easy base for a pack's plugin class: fills in Clone (a new Derived with
// no argument bound), Release (deletes it) and the six empty GetInfo texts,
// leaving the seven operations that do the work. Derived must be final and
// default-constructible with nothing bound:
//
//   class MyPlugin final : public BasicPlugin<MyPlugin> { ... };
template <typename Derived>
class BasicPlugin : public PluginWithoutInfo {
public:
    Plugin* Clone() override { return new Derived(); }
    void Release() override { delete static_cast<Derived*>(this); }

protected:
    BasicPlugin() = default;
    ~BasicPlugin() = default;
};

// The four entry points of a pack, exported under these undecorated names.
extern "C" {
typedef unsigned int (*GetMagicFunction)();
typedef int (*GetPluginCountFunction)();
// Never null for 0 <= index < count; null for every other index.
typedef Plugin* (*GetPluginInstanceFunction)(int index);
typedef const char* (*GetPluginPackNameFunction)();
}

// What exports a pack's entry points from its module: the module's export
// table on Windows, default visibility (packs are built with hidden symbols)
// elsewhere.
#if defined(_WIN32)
#define OMBREL_PACK_EXPORT __declspec(dllexport)
#else
#define OMBREL_PACK_EXPORT __attribute__((visibility("default")))
#endif

// Declares the four entry points of a pack from a table of plugin objects:
//
//   static MyPlugin myPlugin;
//   static Plugin* const Plugins[] = {&myPlugin};
//   OMBREL_DECLARE_PACK("MyPack", Plugins)
//
// GetPluginInstance answers null for any index outside the table.
#define OMBREL_DECLARE_PACK(packName, pluginTable)                                               \
    extern "C" OMBREL_PACK_EXPORT unsigned int GetMagic() {                                      \
        return PluginMagic;                                                                      \
    }                                                                                            \
    extern "C" OMBREL_PACK_EXPORT int GetPluginCount() {                                         \
        return static_cast<int>(sizeof(pluginTable) / sizeof((pluginTable)[0]));                 \
    }                                                                                            \
    extern "C" OMBREL_PACK_EXPORT Plugin* GetPluginInstance(int index) {                         \
        return static_cast<unsigned int>(index) < sizeof(pluginTable) / sizeof((pluginTable)[0]) \
                   ? (pluginTable)[index]                                                        \
                   : nullptr;                                                                    \
    }                                                                                            \
    extern "C" OMBREL_PACK_EXPORT const char* GetPluginPackName() {                              \
        return packName;                                                                         \
    }
