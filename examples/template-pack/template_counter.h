#pragma once

#include "plugin/contract.h"

// The value behind the signature type "CTemplateCounter": how many times the
// TemplateEcho plugin has run since its call started, and the sum of the
// counts it was given. It follows the layout every Value keeps (the table of
// operations, the reserved word, then the payload below). The host holds it
// only as a pointer; the pack that made it is the one that frees it.
class CTemplateCounter final : public Value {
public:
    int runs;
    int countSum;

    CTemplateCounter() : runs(0), countSum(0) {}
    ~CTemplateCounter() = default;

    // The payload as 8 bytes: runs, then countSum, each as it lies in memory.
    void Write(Stream& stream) override;
    void Read(Stream& stream) override;
    // The object itself; the counter owns no other storage.
    int GetSize() override;
};
