#include "template_echo.h"

namespace {

const char* const Name = "TemplateEcho";

// Static texts: the host copies them when the pack is added.
const char* const Signature =
    "in int count, in bool enabled, in float scale, in String label, "
    "out int countPlusOne, out bool disabled, out float scaleTwice, out String labelEcho, "
    "out CTemplateCounter counter";

// The argument names of the signature, by index, for the messages.
const char* const ArgumentNames[TemplateEcho::ArgumentCount] = {
    "count",    "enabled",    "scale",     "label",  "countPlusOne",
    "disabled", "scaleTwice", "labelEcho", "counter"};

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

const char* TemplateEcho::GetSignature() {
    return Signature;
}
const char* TemplateEcho::GetName() {
    return Name;
}

const char* TemplateEcho::GetInfo1() {
    return "Echoes each input it is given, changed a little.";
}

// Compared unsigned, so a negative index is ignored like one past the end.
void TemplateEcho::SetArgument(int index, Value** slot) {
    if (static_cast<unsigned int>(index) < ArgumentCount) slots[index] = slot;
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
    int count = ReadInt(slots[Count], Name, ArgumentNames[Count]);
    bool enabled = ReadBool(slots[Enabled], Name, ArgumentNames[Enabled]);
    float scale = ReadFloat(slots[Scale], Name, ArgumentNames[Scale]);
    String label = ReadString(slots[Label], Name, ArgumentNames[Label]);

    OutValue(slots[CountPlusOne], countPlusOne, Name, ArgumentNames[CountPlusOne]).value =
        WrappingSum(count, 1);
    OutValue(slots[Disabled], disabled, Name, ArgumentNames[Disabled]).value = enabled ? 0 : 1;
    OutValue(slots[ScaleTwice], scaleTwice, Name, ArgumentNames[ScaleTwice]).value = scale * 2.0f;
    String& echo = OutValue(slots[LabelEcho], labelEcho, Name, ArgumentNames[LabelEcho]);
    echo.Assign(label);
    ToCapitals(echo);
    CTemplateCounter& runs = OutValue(slots[Counter], counter, Name, ArgumentNames[Counter]);
    runs.runs += 1;
    runs.countSum = WrappingSum(runs.countSum, count);
}

// Frees every value this plugin made. The host calls Stop at shutdown for a
// call that ran once; a looping call's values live until the process ends.
void TemplateEcho::Stop() {
    FreeOutValue(slots[CountPlusOne], countPlusOne);
    FreeOutValue(slots[Disabled], disabled);
    FreeOutValue(slots[ScaleTwice], scaleTwice);
    FreeOutValue(slots[LabelEcho], labelEcho);
    FreeOutValue(slots[Counter], counter);
}
