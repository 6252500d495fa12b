#pragma once

#include "foundation/array.h"
#include "foundation/stream.h"
#include "foundation/string.h"

// Look-ahead tokenizer over a Stream. Each token kind is one bit: the same
// value is the bit in `enabledKinds`, the kind in `tokenKind` and an entry of
// `skipKinds`. The stream is read one byte at a time, only as far as a rule
// needs to look ahead. All fields are public: callers set the kinds and read
// the token directly.
class Lexer {
public:
    enum {
        TokenFloat = 1,
        TokenInteger = 2,
        TokenUnsignedFloat = 4,
        TokenUnsignedInteger = 8,
        TokenIdentifier = 16,
        TokenBlank = 32,
        TokenNewLine = 64,
        TokenEndOfFile = 128,
        TokenCharacter = 256,
        TokenString = 512,
        TokenBlockComment = 1024,
        TokenLineComment = 2048,
        TokenSemicolonComment = 4096,
        TokenOperator = 8192,
        TokenSymbol = 16384,
    };

    Stream* source;
    Array<char> buffer;
    Array<int> skipKinds;
    int bufferStart;
    int bufferEnd;
    int remaining;
    int enabledKinds;
    int line;
    int column;
    char charValue;
    int intValue;
    float floatValue;
    String tokenText;
    int tokenKind;

    explicit Lexer(Stream* stream);
    ~Lexer() = default;
    Lexer(const Lexer&) = delete;
    Lexer& operator=(const Lexer&) = delete;

    char LookAhead(int i);
    void Advance(int n);
    void ScanToken();
    void NextToken();

private:
    bool Enabled(int kind) const { return (enabledKinds & kind) != 0; }
    int MatchFloat(bool allowSign);
    int MatchInteger(bool allowSign);
    void SetText(int start, int length);
    void SetToken(int kind, int length);
    int LineCommentLength();
};
