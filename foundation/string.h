#pragma once

#include "foundation/array.h"
#include "foundation/stream.h"

// NUL-terminated 8-bit text held in an Array of char whose count includes the
// NUL. The same layout and code live in the host and in every pack, since
// packs read the host's Strings directly.
class String final : public Value {
public:
    Array<char> text;

    String();
    String(const String& other);
    // printf-style formatting into a 1024-byte buffer; longer results are cut
    // at 1023 characters.
    explicit String(const char* format, ...) __attribute__((format(printf, 2, 3)));
    ~String() = default;

    String& operator=(const String& other);

    void Assign(const char* source);
    void Assign(const String& other);
    int GetLength() const;
    const char* GetText() const { return text.data; }
    void Append(char c);
    int Compare(const char* other) const;
    int CompareNoCase(const char* other) const;

    void Write(Stream& stream) override;
    void Read(Stream& stream) override;
    int GetSize() override;
};
