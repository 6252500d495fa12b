#include "template_echo.h"

namespace {

const char* const Name = "TemplateEcho";

// A sum that wraps around as 32-bit payloads do, where an int's own overflow
// is undefined: the host may hand over any int, 2147483647 included.
int WrappingSum(int a, int b) {
    return static_cast<int>(static_cast<unsigned int>(a) + static_cast<unsigned int>(b));
}

void ToCapitals(String& text) {
    const int length = text.GetLength();
    for (int i = 0; i < length; ++i) {
        char& c = text.text.data[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
}

}  // namespace

TemplateEcho::TemplateEcho()
    : slots(),
      countPlusOne(nullptr),
      disabled(nullptr),
      scaleTwice(nullptr),
      labelEcho(nullptr),
      counter(nullptr) {}

// A static text: the host copies it when the pack is added.
const char* TemplateEcho::GetSignature() {
    return Arguments::Signature();
}
const char* TemplateEcho::GetName() {
    return Name;
}

const char* TemplateEcho::GetInfo1() {
    return "Echoes each input it is given, changed a little.";
}

// An index the plugin does not have, a negative one too, is ignored.
void TemplateEcho::SetArgument(int index, Value** slot) {
    slots.Set(index, slot);
}

// The call has started (again): the counter starts from zero.
void TemplateEcho::Start() {
    if (counter != nullptr) {
        counter->runs = 0;
        counter->countSum = 0;
    }
}

bool TemplateEcho::Prepare() {
    return true;
}

void TemplateEcho::Run() {
    // Every "in" argument is read afresh: the host changes payloads in place
    // between runs, and another plugin may have stored a new value.
    int count = ReadInt(slots, Arguments::count, Name);
    bool enabled = ReadBool(slots, Arguments::enabled, Name);
    float scale = ReadFloat(slots, Arguments::scale, Name);
    String label = ReadString(slots, Arguments::label, Name);

    OutValue(slots, Arguments::countPlusOne, countPlusOne, Name).value = WrappingSum(count, 1);
    OutValue(slots, Arguments::disabled, disabled, Name).value = enabled ? 0 : 1;
    OutValue(slots, Arguments::scaleTwice, scaleTwice, Name).value = scale * 2.0f;
    String& echo = OutValue(slots, Arguments::labelEcho, labelEcho, Name);
    echo.Assign(label);
    ToCapitals(echo);
    CTemplateCounter& runs = OutValue(slots, Arguments::counter, counter, Name);
    runs.runs += 1;
    runs.countSum = WrappingSum(runs.countSum, count);
}

// Frees every value this plugin made. The host calls Stop at shutdown for a
// call that ran once; a looping call's values live until the process ends.
void TemplateEcho::Stop() {
    FreeOutValue(slots[Arguments::countPlusOne], countPlusOne);
    FreeOutValue(slots[Arguments::disabled], disabled);
    FreeOutValue(slots[Arguments::scaleTwice], scaleTwice);
    FreeOutValue(slots[Arguments::labelEcho], labelEcho);
    FreeOutValue(slots[Arguments::counter], counter);
}
