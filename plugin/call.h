#pragma once

#include "plugin/contract.h"
#include "plugin/descriptor.h"
#include "plugin/registry.h"
#include "plugin/variable.h"

// One scheduled use of a plugin: binds host variables to the plugin's argument
// slots and forwards Start, Prepare, Run and Stop as its schedule allows. A
// call whose plugin was not found does nothing and never fails. The call owns
// neither the descriptor nor the plugin (the pack's) nor the variables.
class PluginCall {
public:
    static constexpr int ScheduleOnce = 0;
    static constexpr int ScheduleAt = 1;
    static constexpr int ScheduleInterval = 2;
    static constexpr int ScheduleAlways = 3;

    int mode;
    float startTime;  // ScheduleInterval: first moment of the window (inclusive)
    float endTime;    // ScheduleInterval: end of the window (exclusive)
    float atTime;     // ScheduleAt: the moment from which the call fires
    bool onceFired;
    bool atFired;
    bool active;
    PluginDescriptor* descriptor;
    Plugin* plugin;

    // Looks the plugin up by name; a name no pack has gives a call without a
    // plugin, silently.
    PluginCall(PluginRegistry& registry, const char* pluginName);

    // Hands the plugin the address of the variable's value pointer as the
    // slot of argument `index`. Nothing is checked: binding is by position.
    void Bind(int index, Variable& variable);
    // Whether the schedule fires at `time` (not a number never fires an
    // interval or an "at" call). Marks a once or "at" call as fired.
    bool IsDue(float time);
    // Sets the active flag from the schedule and forwards Start, except for a
    // once call that has already fired.
    void StartIfDue(float time);
    // Asks an active call's plugin whether it is ready; false when inactive.
    bool Prepare();
    void Run();
    // Forwarded only by a once call that has fired.
    void Stop();
};
