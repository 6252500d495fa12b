#pragma once

#include "foundation/array.h"
#include "foundation/stream.h"

// The Stream over a growable in-memory buffer: 65536 bytes to start with,
// doubling when it grows. Invariant: 0 <= position <= length <= capacity.
class MemoryStream : public Stream {
public:
    enum { InitialSize = 65536 };

    Array<char> buffer;
    int position;
    int length;
    int reservedSize;

    MemoryStream();
    ~MemoryStream() = default;

    void Read(void* destination, int count) override;
    void Write(const void* source, int count) override;
    char ReadByte() override;
    void WriteByte(char byte) override;
    void Seek(int offset, int origin) override;
    int Tell() override;
    bool IsEOF() override;
    void Clear() override;
};
