#include "template_counter.h"

void CTemplateCounter::Write(Stream& stream) {
    stream.Write(&runs, 4);
    stream.Write(&countSum, 4);
}

void CTemplateCounter::Read(Stream& stream) {
    stream.Read(&runs, 4);
    stream.Read(&countSum, 4);
}

int CTemplateCounter::GetSize() {
    return static_cast<int>(sizeof(CTemplateCounter));
}
