#include "tests/hostile/packs/failing_plugins.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

#include "foundation/exception.h"

namespace {

struct Choice {
    bool set = false;
    char step[128] = "";
    char kind[16] = "";
};

Choice chosen;

void Copy(char* to, size_t size, const char* from) {
    std::snprintf(to, size, "%s", from ? from : "");
}

const char* ChosenStep() {
    if (chosen.set) return chosen.step;
    const char* step = std::getenv("OMBREL_HOSTILE_FAILURE");
    return step ? step : "";
}

const char* ChosenKind() {
    if (chosen.set) return chosen.kind;
    const char* kind = std::getenv("OMBREL_HOSTILE_KIND");
    return kind ? kind : "";
}

}  // namespace

extern "C" OMBREL_PACK_EXPORT void SetHostileFailure(const char* step, const char* kind) {
    chosen.set = true;
    Copy(chosen.step, sizeof chosen.step, step);
    Copy(chosen.kind, sizeof chosen.kind, kind);
}

void FailingPlugin::FailIfChosen(const char* operation) const {
    char step[128];
    std::snprintf(step, sizeof step, "%s.%s", name, operation);
    if (std::strcmp(step, ChosenStep()) != 0) return;
    const char* kind = ChosenKind();
    if (std::strcmp(kind, "std") == 0) {
        throw std::runtime_error(std::string(name) + " failed in " + operation);
    }
    if (std::strcmp(kind, "int") == 0) throw 42;
    throw Ombrel::Exception("%s failed in %s", name, operation);
}

void FailingPlugin::Start() {
    runs = 0;
    FailIfChosen("Start");
}

bool FailingPlugin::Prepare() {
    FailIfChosen("Prepare");
    return true;
}

void FailingPlugin::Run() {
    FailIfChosen("Run");
    if (closeAfter > 0 && ++runs >= closeAfter) throw Ombrel::Exception("OpenGL window closed");
}

void FailingPlugin::Stop() {
    FailIfChosen("Stop");
}
