#include "plugin/call.h"

#include "foundation/exception.h"

PluginCall::PluginCall(PluginRegistry& registry, const char* pluginName)
    : mode(ScheduleAlways),
      // The owner sets the times it needs; zero keeps an unset one harmless.
      startTime(0.0f),
      endTime(0.0f),
      atTime(0.0f),
      onceFired(false),
      atFired(false),
      active(false),
      descriptor(nullptr),
      plugin(nullptr) {
    try {
        descriptor = registry.FindPlugin(pluginName);
        plugin = descriptor->plugin;
    } catch (const Ombrel::Exception&) {
        descriptor = nullptr;
        plugin = nullptr;
    }
}

void PluginCall::Bind(int index, Variable& variable) {
    if (descriptor) plugin->SetArgument(index, &variable.value);
}

bool PluginCall::IsDue(float time) {
    switch (mode) {
        case ScheduleAlways:
            return true;
        case ScheduleOnce:
            if (onceFired) return false;
            onceFired = true;
            return true;
        case ScheduleInterval:
            return startTime <= time && time < endTime;
        case ScheduleAt:
            // Written so that a time that is not a number is not due.
            if (!(time >= atTime) || atFired) return false;
            atFired = true;
            return true;
        default:
            return false;
    }
}

void PluginCall::StartIfDue(float time) {
    bool due = IsDue(time);
    active = due;
    if ((!onceFired || due) && descriptor) plugin->Start();
}

bool PluginCall::Prepare() {
    if (!active || !descriptor) return false;
    active = plugin->Prepare();
    return active;
}

void PluginCall::Run() {
    if (active && descriptor) plugin->Run();
}

void PluginCall::Stop() {
    if (onceFired && descriptor) plugin->Stop();
}
