#include "foundation/string.h"

#include <cstdarg>
#include <cstdio>

String::String() : text(10, 10.0f) {
    text.SetAt(0, '\0');
}

String::String(const String& other) : Value(), text(10, 10.0f) {
    Assign(other);
}

String::String(const char* format, ...) : text(10, 10.0f) {
    char buffer[1024];
    va_list arguments;
    va_start(arguments, format);
    int written = vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    if (written < 0) buffer[0] = '\0';
    Assign(buffer);
}

String& String::operator=(const String& other) {
    Assign(other);
    return *this;
}

void String::Assign(const char* source) {
    int i = 0;
    for (; source[i] != '\0'; ++i) text.SetAt(i, source[i]);
    text.SetAt(i, '\0');
    text.SetCapacity(i + 1);
}

// Safe when `other` is this String: SetCapacity keeps the text and its NUL, and
// the copy then reads the very characters it writes. Either way the storage
// ends fitted to the text.
void String::Assign(const String& other) {
    int length = other.GetLength();
    text.SetCapacity(length + 1);
    for (int i = 0; i < length; ++i) text.SetAt(i, other.text.data[i]);
    text.SetAt(length, '\0');
}

int String::GetLength() const {
    int length = 0;
    while (text.data[length] != '\0') ++length;
    return length;
}

void String::Append(char c) {
    int length = GetLength();
    text.SetAt(length, c);
    text.SetAt(length + 1, '\0');
}

int String::Compare(const char* other) const {
    const unsigned char* a = reinterpret_cast<const unsigned char*>(text.data);
    const unsigned char* b = reinterpret_cast<const unsigned char*>(other);
    for (int i = 0;; ++i) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
        if (a[i] == 0) return 0;
    }
}

static int LowerAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

int String::CompareNoCase(const char* other) const {
    const unsigned char* a = reinterpret_cast<const unsigned char*>(text.data);
    const unsigned char* b = reinterpret_cast<const unsigned char*>(other);
    for (int i = 0;; ++i) {
        int difference = LowerAscii(a[i]) - LowerAscii(b[i]);
        if (difference != 0) return difference;
        if (a[i] == 0) return 0;
    }
}

void String::Write(Stream& stream) {
    stream.Write(GetText(), GetLength());
}

// Replaces the text with every byte to the end of the stream. A NUL byte
// leaves the text unchanged, so the next byte lands where the NUL was.
void String::Read(Stream& stream) {
    text.SetAt(0, '\0');
    while (!stream.IsEOF()) Append(stream.ReadByte());
}

int String::GetSize() {
    return 24 + text.capacity;
}
