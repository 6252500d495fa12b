#include "foundation/lexer.h"

#include <cstdlib>

#include "foundation/exception.h"

namespace {

const char CR = 13;
const char LF = 10;
const char Tab = 9;
const char EndOfText = 23;

bool IsDigit(int c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(int c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Decimal text to a 32-bit integer. Out-of-range numbers wrap around modulo
// 2^32, as the 32-bit arithmetic of the original conversion did, instead of
// being undefined.
int WrappingDecimal(const char* text) {
    bool negative = *text == '-';
    if (negative) ++text;
    unsigned int value = 0;
    for (; IsDigit(static_cast<unsigned char>(*text)); ++text) {
        value = value * 10u + static_cast<unsigned int>(*text - '0');
    }
    if (negative) value = 0u - value;
    return static_cast<int>(value);
}

}  // namespace

Lexer::Lexer(Stream* stream)
    : source(stream),
      buffer(10, 10.0f),
      skipKinds(10, 10.0f),
      bufferStart(0),
      bufferEnd(0),
      remaining(0),
      enabledKinds(TokenEndOfFile),
      line(1),
      column(1),
      charValue(0),
      intValue(0),
      floatValue(0.0f),
      tokenKind(TokenEndOfFile) {
    source->Seek(0, Stream::SeekEnd);
    remaining = source->Tell();
    source->Seek(0, Stream::SeekBegin);
}

char Lexer::LookAhead(int i) {
    if (i >= 0 && bufferStart + i < bufferEnd) return buffer[bufferStart + i];
    if (i < 0 || i >= remaining || source->IsEOF())
        throw Ombrel::Exception("LookAhead: End of file");
    // Compact only when the consumed part outgrows the unconsumed part, so a
    // long input lives in a buffer of about twice the longest look-ahead.
    int unconsumed = bufferEnd - bufferStart;
    if (bufferStart > unconsumed) {
        for (int k = 0; k < unconsumed; ++k) buffer.SetAt(k, buffer[bufferStart + k]);
        bufferStart = 0;
        bufferEnd = unconsumed;
    }
    while (bufferStart + i >= bufferEnd && bufferEnd - bufferStart < remaining) {
        buffer.SetAt(bufferEnd, source->ReadByte());
        ++bufferEnd;
    }
    return buffer[bufferStart + i];
}

void Lexer::Advance(int n) {
    for (int k = 0; k < n; ++k) {
        char c = LookAhead(0);
        if (c != LF) ++column;
        if (c == CR) {
            column = 1;
            ++line;
        }
        ++bufferStart;
        --remaining;
    }
}

// Characters of the current token go into tokenText with SetAt, followed by a
// NUL; the storage never shrinks.
void Lexer::SetText(int start, int length) {
    for (int k = 0; k < length; ++k) tokenText.text.SetAt(k, LookAhead(start + k));
    tokenText.text.SetAt(length, '\0');
}

void Lexer::SetToken(int kind, int length) {
    SetText(0, length);
    tokenKind = kind;
    Advance(length);
}

// Length of "[-]digits.digits" with an optional 'f' or 'e[+|-]digits*' tail, or
// 0 when the text is not of that form. Never looks past the input.
int Lexer::MatchFloat(bool allowSign) {
    int k = 0;
    if (allowSign && LookAhead(0) == '-') k = 1;
    int digitsStart = k;
    while (k < remaining && IsDigit(LookAhead(k))) ++k;
    if (k == digitsStart || k >= remaining || LookAhead(k) != '.') return 0;
    ++k;
    if (k >= remaining || !IsDigit(LookAhead(k))) return 0;
    while (k < remaining && IsDigit(LookAhead(k))) ++k;
    if (k < remaining && LookAhead(k) == 'f') return k + 1;
    if (k < remaining && LookAhead(k) == 'e') {
        ++k;
        if (k < remaining && (LookAhead(k) == '+' || LookAhead(k) == '-')) ++k;
        while (k < remaining && IsDigit(LookAhead(k))) ++k;
    }
    return k;
}

int Lexer::MatchInteger(bool allowSign) {
    int k = (allowSign && LookAhead(0) == '-') ? 1 : 0;
    while (k < remaining && IsDigit(LookAhead(k))) ++k;
    return k;
}

// "//" or ";" and the rest of the line; the line end itself is left for the
// next scan.
int Lexer::LineCommentLength() {
    int k = 0;
    while (k < remaining) {
        char c = LookAhead(k);
        if (c == CR || c == LF || c == EndOfText) break;
        ++k;
    }
    return k;
}

void Lexer::ScanToken() {
    if (remaining == 0) {
        tokenKind = TokenEndOfFile;
        return;
    }
    char c = LookAhead(0);
    int next = remaining >= 2 ? LookAhead(1) : -1;

    if (Enabled(TokenFloat) && remaining >= 3 && (IsDigit(c) || (c == '-' && IsDigit(next)))) {
        if (int length = MatchFloat(true)) {
            SetToken(TokenFloat, length);
            floatValue = static_cast<float>(std::atof(tokenText.GetText()));
            return;
        }
    }
    if (Enabled(TokenInteger) && (IsDigit(c) || (c == '-' && IsDigit(next)))) {
        int length = MatchInteger(true);
        SetToken(TokenInteger, length);
        intValue = WrappingDecimal(tokenText.GetText());
        return;
    }
    if (Enabled(TokenUnsignedFloat) && IsDigit(c) && remaining >= 3) {
        if (int length = MatchFloat(false)) {
            SetToken(TokenUnsignedFloat, length);
            floatValue = static_cast<float>(std::atof(tokenText.GetText()));
            return;
        }
    }
    if (Enabled(TokenUnsignedInteger) && IsDigit(c)) {
        int length = MatchInteger(false);
        SetToken(TokenUnsignedInteger, length);
        intValue = WrappingDecimal(tokenText.GetText());
        return;
    }
    if (Enabled(TokenIdentifier) && IsLetter(c)) {
        int length = 1;
        while (length < remaining) {
            char d = LookAhead(length);
            if (!IsLetter(d) && !IsDigit(d) && d != '_') break;
            ++length;
        }
        SetToken(TokenIdentifier, length);
        return;
    }
    if (Enabled(TokenBlank) && (c == ' ' || c == Tab)) {
        SetToken(TokenBlank, 1);
        return;
    }
    if (Enabled(TokenNewLine) && (c == CR || c == LF)) {
        tokenKind = TokenNewLine;
        Advance(1);
        if (remaining > 0 && (LookAhead(0) == CR || LookAhead(0) == LF)) Advance(1);
        return;
    }
    if (c == EndOfText) {
        tokenKind = TokenEndOfFile;
        Advance(1);
        return;
    }
    if (Enabled(TokenCharacter) && remaining >= 3 && c == '\'' && LookAhead(2) == '\'') {
        charValue = LookAhead(1);
        SetText(1, 1);
        tokenKind = TokenCharacter;
        Advance(3);
        return;
    }
    if (Enabled(TokenString) && c == '"') {
        for (int k = 1; k < remaining; ++k) {
            if (LookAhead(k) == '"' && LookAhead(k - 1) != '\\') {
                SetText(1, k - 1);
                tokenKind = TokenString;
                Advance(k + 1);
                return;
            }
        }
    }
    if (Enabled(TokenBlockComment) && remaining >= 4 && c == '/' && next == '*') {
        for (int k = 2; k + 1 < remaining; ++k) {
            if (LookAhead(k) == '*' && LookAhead(k + 1) == '/') {
                SetText(2, k - 2);
                tokenKind = TokenBlockComment;
                Advance(k + 2);
                return;
            }
        }
    }
    if (Enabled(TokenLineComment) && remaining >= 2 && c == '/' && next == '/') {
        SetToken(TokenLineComment, LineCommentLength());
        return;
    }
    if (Enabled(TokenSemicolonComment) && c == ';') {
        SetToken(TokenSemicolonComment, LineCommentLength());
        return;
    }
    if (Enabled(TokenOperator) && (c == '*' || c == '+' || c == '-' || c == '/')) {
        SetToken(TokenOperator, 1);
        return;
    }
    charValue = c;
    tokenKind = TokenSymbol;
    Advance(1);
}

void Lexer::NextToken() {
    for (;;) {
        ScanToken();
        if (tokenKind == TokenEndOfFile) return;
        bool skipped = false;
        for (int k = skipKinds.count - 1; k >= 0; --k) {
            if (skipKinds[k] == tokenKind) {
                skipped = true;
                break;
            }
        }
        if (!skipped) return;
    }
}
