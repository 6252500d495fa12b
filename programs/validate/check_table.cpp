#include "programs/validate/check_table.h"

#include <cstring>

const std::vector<CheckInfo>& Checks() {
    static const std::vector<CheckInfo> checks = {
#define OMBREL_CHECK_ROW(id, name, concerns, strictness, tries, fix) \
    {Check::id, name, concerns, strictness, tries, fix},
        OMBREL_VALIDATOR_CHECKS(OMBREL_CHECK_ROW)
#undef OMBREL_CHECK_ROW
    };
    return checks;
}

const CheckInfo& InfoOf(Check check) {
    return Checks()[static_cast<size_t>(check)];
}

const CheckInfo* FindCheck(const std::string& name) {
    for (const CheckInfo& info : Checks()) {
        if (name == info.name) return &info;
    }
    return nullptr;
}

std::vector<Check> ChecksOf(char concern) {
    std::vector<Check> checks;
    for (const CheckInfo& info : Checks()) {
        if (std::strchr(info.concerns, concern) != nullptr) checks.push_back(info.id);
    }
    return checks;
}

std::string ChecksTable() {
    std::string table = "| Check | Strictness | What is tried | What to fix |\n|---|---|---|---|\n";
    for (const CheckInfo& info : Checks()) {
        table += std::string("| `") + info.name + "` | " + std::to_string(info.strictness) + " | " +
                 info.tries + " | " + info.fix + " |\n";
    }
    return table;
}
