#pragma once

#include "foundation/stream.h"
#include "plugin/argument_slots.h"

// A plugin's arguments written once, as a list, from which come the signature
// text, the argument indexes and the argument names, so that the three cannot
// disagree. The list is a macro that hands each argument, in signature order,
// to X as (name, "direction type"):
//
//   #define MY_PLUGIN_ARGUMENTS(X) X(count, "in int") X(label, "in String") X(total, "out int")
//   class MyPlugin final : public BasicPlugin<MyPlugin> {
//   public:
//       OMBREL_DECLARE_ARGUMENTS(Arguments, MY_PLUGIN_ARGUMENTS)
//       ...
//
// declares the struct MyPlugin::Arguments (or, outside a class, a struct of
// the namespace) with
//
//   - an enum of the indexes, named after the arguments (count is 0, label 1,
//     total 2), and ArgumentCount after the last;
//   - Signature(), the static text "in int count, in String label, out int
//     total" for GetSignature;
//   - Name(index), the argument's name ("label"), for the messages.
//
// The signature text joins each argument's "direction type", a blank and its
// name, and puts ", " between arguments.
#define OMBREL_ARGUMENT_INDEX(name, kind) name,
#define OMBREL_ARGUMENT_TEXT(name, kind) ", " kind " " #name
#define OMBREL_ARGUMENT_NAME(name, kind) #name,

#define OMBREL_DECLARE_ARGUMENTS(Type, LIST)                                              \
    struct Type {                                                                         \
        enum Index { LIST(OMBREL_ARGUMENT_INDEX) ArgumentCount };                         \
        static const char* Signature() {                                                  \
            /* Past the ", " that comes before the first argument. */                     \
            return LIST(OMBREL_ARGUMENT_TEXT) + 2;                                        \
        }                                                                                 \
        static const char* Name(Index index) {                                            \
            static const char* const names[ArgumentCount] = {LIST(OMBREL_ARGUMENT_NAME)}; \
            return names[index];                                                          \
        }                                                                                 \
    };

// The slots of a plugin's arguments, as SetArgument hands them over: the one
// way a plugin keeps them. Nothing is bound at first; an index the plugin does
// not have, a negative one too, is ignored.
//
//   void MyPlugin::SetArgument(int index, Value** slot) { slots.Set(index, slot); }
//
// The readers, OutSlot and OutValue below take the table and the argument's index,
// and name the argument by the list in their messages:
//
//   int count = ReadInt(slots, MyPluginArguments::count, "MyPlugin");
template <typename Arguments>
class ArgumentSlotTable {
public:
    using Index = typename Arguments::Index;

    // Compared unsigned, so a negative index is ignored like one past the end.
    void Set(int index, Value** slot) {
        if (static_cast<unsigned int>(index) < Arguments::ArgumentCount) slots[index] = slot;
    }
    // The slot of the argument, null until bound.
    Value** operator[](Index index) const { return slots[index]; }

private:
    Value** slots[Arguments::ArgumentCount] = {};
};

// The checked readers and OutSlot of argument_slots.h for an argument of the
// table, named as the list names it; OutValue likewise below.
#define OMBREL_TABLE_ACCESS(Result, Access)                                                   \
    template <typename Arguments>                                                             \
    Result Access(const ArgumentSlotTable<Arguments>& slots, typename Arguments::Index index, \
                  const char* plugin) {                                                       \
        return Access(slots[index], plugin, Arguments::Name(index));                          \
    }
OMBREL_TABLE_ACCESS(int, ReadInt)
OMBREL_TABLE_ACCESS(bool, ReadBool)
OMBREL_TABLE_ACCESS(float, ReadFloat)
OMBREL_TABLE_ACCESS(String, ReadString)
OMBREL_TABLE_ACCESS(Value*&, OutSlot)
#undef OMBREL_TABLE_ACCESS

template <typename T, typename Arguments>
T& OutValue(const ArgumentSlotTable<Arguments>& slots, typename Arguments::Index index, T*& owned,
            const char* plugin) {
    return OutValue(slots[index], owned, plugin, Arguments::Name(index));
}
