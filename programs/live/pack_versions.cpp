#include "programs/live/pack_versions.h"

namespace Ombrel::Live {

void PackVersions::Restore(const PackVersion& ran, const PackVersion& before) {
    current = ran;
    previous = before;
}

PackVersion PackVersions::Resumed() {
    PackVersion ran = current;
    current = PackVersion();
    return ran;
}

void PackVersions::Tried(const PackVersion& version) {
    trial = version;
}

void PackVersions::Started(PluginPack* loaded) {
    retired = pack;
    retiredVersion = current;
    pack = loaded;
    current = trial;
    onTrial = true;
}

void PackVersions::Failed() {
    trial = PackVersion();
}

PackVersions::LetGo PackVersions::Promoted() {
    LetGo gone;
    gone.pack = retired;
    retired = nullptr;
    if (retiredVersion.number != 0) {
        if (previous.copy != retiredVersion.copy) gone.version = previous;
        previous = retiredVersion;
    }
    retiredVersion = PackVersion();
    onTrial = false;
    trial = PackVersion();
    return gone;
}

PackVersions::LetGo PackVersions::Crashed(PackVersion& back) {
    LetGo failed;
    failed.pack = pack;
    failed.version = current;
    back = PackVersion();
    if (onTrial) {
        pack = retired;
        current = retiredVersion;
        retired = nullptr;
        retiredVersion = PackVersion();
        onTrial = false;
        trial = PackVersion();
    } else {
        back = previous;
        previous = PackVersion();
        pack = nullptr;
        current = PackVersion();
    }
    return failed;
}

PluginPack* PackVersions::Retired() {
    PluginPack* gone = pack;
    pack = nullptr;
    current = PackVersion();
    return gone;
}

std::vector<std::string> PackVersions::KeptCopies() const {
    return {current.copy, previous.copy, retiredVersion.copy};
}

}  // namespace Ombrel::Live
