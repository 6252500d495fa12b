// A scene pack with texts far longer than any the demo uses: LoadCOctreeScene
// with a valid signature of thousands of arguments (the demo's three first),
// and, with WITH_LONG_NAME, a second plugin whose name is thousands of
// characters long and whose signature lacks an argument name.
#include <string>

#include "tests/fixtures/demo_signatures.h"
#include "tests/fixtures/fixed_plugin.h"
#include "tests/hostile/packs/long_texts.h"

namespace {

const std::string& LongSignature() {
    static const std::string text = MakeLongSignature(LongSignatureArguments);
    return text;
}

#ifdef WITH_LONG_NAME
const std::string& LongName() {
    static const std::string text(LongNameLength, 'N');
    return text;
}
#endif

FixedPlugin loadScene("LoadCOctreeScene", LongSignature().c_str());
FixedPlugin printScene("PrintCOctreeScene", DemoSignature::PrintCOctreeScene);
#ifdef WITH_LONG_NAME
FixedPlugin longName(LongName().c_str(), "in int");
Plugin* const Plugins[] = {&loadScene, &printScene, &longName};
#else
Plugin* const Plugins[] = {&loadScene, &printScene};
#endif

}  // namespace

OMBREL_DECLARE_PACK(PACK_NAME, Plugins)
