#pragma once

#include "plugin/argument_list.h"
#include "plugin/contract.h"
#include "template_counter.h"

// The template plugin's arguments in signature order, each with its direction
// and type: the one list that its signature text, argument indexes and
// argument names come from.
#define TEMPLATE_ECHO_ARGUMENTS(X) \
    X(count, "in int")             \
    X(enabled, "in bool")          \
    X(scale, "in float")           \
    X(label, "in String")          \
    X(countPlusOne, "out int")     \
    X(disabled, "out bool")        \
    X(scaleTwice, "out float")     \
    X(labelEcho, "out String")     \
    X(counter, "out CTemplateCounter")

// The template plugin: one "in" and one "out" argument of each type the host
// fills ("int", "bool", "float", "String") and an "out" value of its own type.
// Each Run reads its inputs and publishes count + 1, not enabled, scale x 2,
// the label in capitals, and a CTemplateCounter of its runs.
class TemplateEcho final : public BasicPlugin<TemplateEcho> {
public:
    // Argument indexes (Arguments::count is 0, Arguments::counter 8), names
    // and the signature text.
    OMBREL_DECLARE_ARGUMENTS(Arguments, TEMPLATE_ECHO_ARGUMENTS)

    TemplateEcho();
    ~TemplateEcho() = default;
    TemplateEcho(const TemplateEcho&) = delete;
    TemplateEcho& operator=(const TemplateEcho&) = delete;

    const char* GetSignature() override;
    const char* GetName() override;
    // Clone, Release and the empty GetInfo2 to GetInfo6 come from BasicPlugin.
    const char* GetInfo1() override;
    void SetArgument(int index, Value** slot) override;
    void Start() override;
    bool Prepare() override;
    void Run() override;
    void Stop() override;

private:
    // Where the host keeps each argument, as SetArgument gave it; null until
    // bound.
    ArgumentSlotTable<Arguments> slots;

    // The values this plugin stored through its "out" slots. It owns them
    // and frees them in Stop; the host never deletes them.
    IntValue* countPlusOne;
    IntValue* disabled;
    FloatValue* scaleTwice;
    String* labelEcho;
    CTemplateCounter* counter;
};
