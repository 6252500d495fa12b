// The lexer over arbitrary bytes. The first two bytes choose the enabled token
// kinds, the third how many kinds to skip (taken from the next bytes); the rest
// is the text. Every token must lie within the input, the scan must end at
// TokenEndOfFile within one token per character, and the look-ahead buffer
// must stay small.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "foundation/exception.h"
#include "foundation/lexer.h"
#include "foundation/memory_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    int enabled = (data[0] | (data[1] << 8)) & 0x7fff;
    int skipCount = data[2] % 4;
    data += 3;
    size -= 3;
    if (size < static_cast<size_t>(skipCount)) return 0;

    MemoryStream stream;
    Lexer lexer(&stream);  // measures an empty stream: scanning it must end at once
    lexer.ScanToken();
    if (lexer.tokenKind != Lexer::TokenEndOfFile) abort();

    for (int i = 0; i < skipCount; ++i) stream.WriteByte(0);
    const uint8_t* text = data + skipCount;
    size_t length = size - skipCount;
    stream.Clear();
    stream.Write(text, static_cast<int>(length));

    Lexer scanner(&stream);
    scanner.enabledKinds |= enabled;
    for (int i = 0; i < skipCount; ++i) scanner.skipKinds.Add(1 << (data[i] % 15));
    size_t tokens = 0;
    for (;;) {
        int before = scanner.remaining;
        scanner.NextToken();
        if (scanner.remaining > before || scanner.remaining < 0) abort();
        if (scanner.tokenKind == Lexer::TokenEndOfFile && scanner.remaining == 0) break;
        if (++tokens > length + 1) abort();
        // The look-ahead buffer holds about twice the longest look-ahead.
        if (scanner.buffer.capacity > 100 && scanner.buffer.capacity > 20 * static_cast<int>(length + 1)) abort();
    }
    // Beyond the end, LookAhead reports the end of the input and nothing else.
    try {
        scanner.LookAhead(0);
        abort();
    } catch (const Ombrel::Exception& e) {
        if (std::strcmp(e.message, "LookAhead: End of file") != 0) abort();
    }
    return 0;
}
