#include "foundation/lexer.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "foundation/memory_stream.h"
#include "test_support.h"

namespace {

// A lexer over `bytes`, with the stream it reads. The stream is left at its
// end, so every test also shows that scanning starts at the beginning.
struct Scanner {
    MemoryStream stream;
    std::unique_ptr<Lexer> lexer;

    explicit Scanner(const std::string& bytes, int enabled = 0) {
        stream.Write(bytes.data(), static_cast<int>(bytes.size()));
        lexer.reset(new Lexer(&stream));
        lexer->enabledKinds |= enabled;
    }
};

std::string Describe(const Lexer& l) {
    std::string text = l.tokenText.GetText();
    switch (l.tokenKind) {
        case Lexer::TokenFloat:
            return "Float " + text + "=" + std::to_string(l.floatValue);
        case Lexer::TokenUnsignedFloat:
            return "UFloat " + text + "=" + std::to_string(l.floatValue);
        case Lexer::TokenInteger:
            return "Integer " + text + "=" + std::to_string(l.intValue);
        case Lexer::TokenUnsignedInteger:
            return "UInteger " + text + "=" + std::to_string(l.intValue);
        case Lexer::TokenIdentifier:
            return "Identifier " + text;
        case Lexer::TokenBlank:
            return "Blank [" + text + "]";
        case Lexer::TokenNewLine:
            return "NewLine";
        case Lexer::TokenEndOfFile:
            return "EOF";
        case Lexer::TokenCharacter:
            return std::string("Character ") + l.charValue;
        case Lexer::TokenString:
            return "String " + text;
        case Lexer::TokenBlockComment:
            return "Block [" + text + "]";
        case Lexer::TokenLineComment:
            return "Line [" + text + "]";
        case Lexer::TokenSemicolonComment:
            return "Semicolon [" + text + "]";
        case Lexer::TokenOperator:
            return "Operator " + text;
        case Lexer::TokenSymbol:
            return std::string("Symbol ") + l.charValue;
    }
    return "kind " + std::to_string(l.tokenKind);
}

// Every token of `bytes` up to the end of the input, by NextToken.
std::vector<std::string> Tokens(const std::string& bytes, int enabled, std::vector<int> skip = {}) {
    Scanner s(bytes, enabled);
    for (int kind : skip) s.lexer->skipKinds.Add(kind);
    std::vector<std::string> tokens;
    for (int guard = 0; guard < 1000; ++guard) {
        s.lexer->NextToken();
        tokens.push_back(Describe(*s.lexer));
        if (s.lexer->tokenKind == Lexer::TokenEndOfFile && s.lexer->remaining == 0) break;
    }
    return tokens;
}

using V = std::vector<std::string>;
const int Numbers = Lexer::TokenFloat | Lexer::TokenInteger | Lexer::TokenIdentifier;

}  // namespace

TEST(Lexer, EmptyInputEndsAtOnceAndForEver) {
    Scanner s("");
    for (int i = 0; i < 3; ++i) {
        s.lexer->ScanToken();
        EXPECT_EQ(Lexer::TokenEndOfFile, s.lexer->tokenKind);
    }
    EXPECT_EQ((V{"Symbol a", "Symbol 1", "Symbol  ", "EOF"}), Tokens("a1 ", 0))
        << "a fresh lexer gives every character as a symbol";
}

TEST(Lexer, SignedAndUnsignedIntegers) {
    EXPECT_EQ((V{"Integer -42=-42", "EOF"}), Tokens("-42", Lexer::TokenInteger));
    int unsignedKinds = Lexer::TokenUnsignedInteger | Lexer::TokenOperator;
    EXPECT_EQ((V{"Operator -", "UInteger 42=42", "EOF"}), Tokens("-42", unsignedKinds));
    EXPECT_EQ((V{"Integer 5=5", "Symbol -", "EOF"}), Tokens("5-", Numbers))
        << "a '-' at the end is never a number";
    EXPECT_EQ((V{"Operator -", "EOF"}), Tokens("-", Numbers | Lexer::TokenOperator));
    EXPECT_EQ((V{"Symbol -", "Symbol x", "EOF"}), Tokens("-x", Lexer::TokenInteger));
}

// Out-of-range numbers wrap around modulo 2^32 rather than being undefined.
TEST(Lexer, IntegerValuesWrapModulo32Bits) {
    EXPECT_EQ((V{"Integer 4294967297=1", "EOF"}), Tokens("4294967297", Lexer::TokenInteger));
    EXPECT_EQ((V{"Integer 2147483648=" + std::to_string(INT_MIN), "EOF"}),
              Tokens("2147483648", Lexer::TokenInteger));
    EXPECT_EQ((V{"UInteger 2147483647=2147483647", "EOF"}),
              Tokens("2147483647", Lexer::TokenUnsignedInteger));
    EXPECT_EQ((V{"Integer -2147483648=" + std::to_string(INT_MIN), "EOF"}),
              Tokens("-2147483648", Lexer::TokenInteger));
}

TEST(Lexer, FloatForms) {
    EXPECT_EQ((V{"Float 1.5f=1.500000", "EOF"}), Tokens("1.5f", Numbers));
    EXPECT_EQ((V{"Float 2.5e-3=0.002500", "Symbol ;", "EOF"}), Tokens("2.5e-3;", Numbers));
    EXPECT_EQ((V{"Float 3.14=3.140000", "EOF"}), Tokens("3.14", Numbers));
    EXPECT_EQ((V{"Float -0.5=-0.500000", "EOF"}), Tokens("-0.5", Numbers));
    EXPECT_EQ((V{"Float 1.5e+=1.500000", "EOF"}), Tokens("1.5e+", Numbers));
    EXPECT_EQ((V{"Integer 1=1", "Symbol .", "Identifier e5", "EOF"}), Tokens("1.e5", Numbers));
    EXPECT_EQ((V{"Float 1.5=1.500000", "Identifier E3", "EOF"}), Tokens("1.5E3", Numbers));
    EXPECT_EQ((V{"Float 1.5f=1.500000", "Identifier f", "EOF"}), Tokens("1.5ff", Numbers));
    EXPECT_EQ((V{"Integer 1=1", "Symbol .", "EOF"}), Tokens("1.", Numbers));
    EXPECT_EQ((V{"Symbol 1", "Symbol 2", "EOF"}), Tokens("12", Lexer::TokenFloat));
    EXPECT_EQ((V{"Symbol 1", "Symbol 2", "Symbol 3", "EOF"}), Tokens("123", Lexer::TokenFloat));
    EXPECT_EQ((V{"Operator -", "UFloat 1.5=1.500000", "EOF"}),
              Tokens("-1.5", Lexer::TokenUnsignedFloat | Lexer::TokenOperator));
}

TEST(Lexer, IdentifiersBlanksAndOperators) {
    int kinds = Lexer::TokenIdentifier | Lexer::TokenBlank | Lexer::TokenOperator;
    EXPECT_EQ((V{"Identifier a_1b", "Blank [ ]", "Blank [\t]", "Symbol _", "Identifier a", "EOF"}),
              Tokens("a_1b \t_a", kinds));
    EXPECT_EQ(
        (V{"Operator *", "Operator +", "Operator -", "Operator /", "Symbol ,", "Symbol .", "EOF"}),
        Tokens("*+-/,.", kinds));
    EXPECT_EQ((V{"Symbol \xE9", "Identifier t", "EOF"}), Tokens("\xE9t", kinds));
}

TEST(Lexer, NewLinesCountLinesAtCarriageReturns) {
    Scanner s("a\r\nb\nc\r\r\nd", Lexer::TokenIdentifier | Lexer::TokenNewLine);
    Lexer& l = *s.lexer;
    l.NextToken();
    l.NextToken();
    EXPECT_EQ(Lexer::TokenNewLine, l.tokenKind);
    EXPECT_STREQ("a", l.tokenText.GetText()) << "a new line leaves the text as it was";
    EXPECT_EQ(2, l.line) << "CR LF is one line";
    EXPECT_EQ(1, l.column);
    l.NextToken();
    l.NextToken();
    EXPECT_EQ(Lexer::TokenNewLine, l.tokenKind);
    EXPECT_EQ(2, l.line) << "a lone LF moves no counter";
    EXPECT_EQ(2, l.column);
    l.NextToken();
    l.NextToken();
    EXPECT_EQ(Lexer::TokenNewLine, l.tokenKind);
    EXPECT_EQ(4, l.line) << "CR CR is one token of two lines";
    l.NextToken();
    EXPECT_EQ(Lexer::TokenNewLine, l.tokenKind) << "the LF after CR CR is a token of its own";
    EXPECT_EQ(4, l.line);
    l.NextToken();
    EXPECT_EQ("Identifier d", Describe(l));
    EXPECT_EQ(2, l.column);

    EXPECT_EQ((V{"NewLine", "NewLine", "EOF"}), Tokens("\n\r\n\n", Lexer::TokenNewLine));
}

TEST(Lexer, Character23EndsATextAndScanningGoesOn) {
    int kinds = Lexer::TokenIdentifier | Lexer::TokenLineComment;
    EXPECT_EQ((V{"Identifier ab", "EOF", "Identifier cd", "EOF"}), Tokens("ab\x17"
                                                                          "cd",
                                                                          kinds));
    EXPECT_EQ((V{"Line [// x]", "EOF", "Identifier y", "EOF"}), Tokens("// x\x17y", kinds));
    EXPECT_EQ((V{"EOF", "Symbol z", "EOF"}), Tokens("\x17z", 0));
}

TEST(Lexer, CharactersAndStrings) {
    int kinds = Lexer::TokenCharacter | Lexer::TokenString | Lexer::TokenIdentifier;
    EXPECT_EQ((V{"Character a", "EOF"}), Tokens("'a'", kinds));
    EXPECT_EQ((V{"Character '", "EOF"}), Tokens("'''", kinds));
    EXPECT_EQ((V{"Symbol '", "Identifier ab", "Symbol '", "EOF"}), Tokens("'ab'", kinds));
    EXPECT_EQ((V{"String a\\\"b", "EOF"}), Tokens("\"a\\\"b\"", kinds));
    EXPECT_EQ((V{"String ", "Identifier x", "EOF"}), Tokens("\"\"x", kinds));
    EXPECT_EQ((V{"Symbol \"", "Identifier ab", "EOF"}), Tokens("\"ab", kinds))
        << "an unterminated string is no string";
    EXPECT_EQ((V{"Symbol \"", "Identifier a", "Symbol \\", "Symbol \\", "Symbol \"", "EOF"}),
              Tokens("\"a\\\\\"", kinds))
        << "a doubled backslash still escapes the quote";

    Scanner s("'q'", Lexer::TokenCharacter);
    s.lexer->NextToken();
    EXPECT_STREQ("q", s.lexer->tokenText.GetText());
}

TEST(Lexer, Comments) {
    int kinds = Lexer::TokenBlockComment | Lexer::TokenLineComment | Lexer::TokenSemicolonComment |
                Lexer::TokenNewLine | Lexer::TokenIdentifier;
    EXPECT_EQ((V{"Block [ a*b ]", "EOF"}), Tokens("/* a*b */", kinds));
    EXPECT_EQ((V{"Block [/ x ]", "EOF"}), Tokens("/*/ x */", kinds)) << "\"/*/\" does not close";
    EXPECT_EQ((V{"Block []", "Identifier z", "EOF"}), Tokens("/**/z", kinds));
    EXPECT_EQ((V{"Symbol /", "Symbol *", "Symbol  ", "Identifier x", "EOF"}),
              Tokens("/* x", kinds));
    EXPECT_EQ((V{"Operator /", "Operator *", "Symbol  ", "Identifier x", "EOF"}),
              Tokens("/* x", kinds | Lexer::TokenOperator));
    EXPECT_EQ((V{"Line [// hi]", "NewLine", "Identifier x", "EOF"}), Tokens("// hi\r\nx", kinds));
    EXPECT_EQ((V{"Line [//]", "EOF"}), Tokens("//", kinds));
    EXPECT_EQ((V{"Semicolon [; note]", "NewLine", "Semicolon [;]", "EOF"}),
              Tokens("; note\n;", kinds));

    Scanner s("/* a\r\nb */// c\rx", kinds);
    Lexer& l = *s.lexer;
    l.NextToken();
    EXPECT_EQ(2, l.line) << "a block comment counts its lines";
    l.NextToken();
    EXPECT_EQ(2, l.line) << "the line end of a line comment is scanned next";
    l.NextToken();
    EXPECT_EQ(3, l.line);
}

TEST(Lexer, TokenTextStorageNeverShrinks) {
    Scanner s("abcdefghijklmn x", Lexer::TokenIdentifier | Lexer::TokenBlank);
    s.lexer->NextToken();
    int capacity = s.lexer->tokenText.text.capacity;
    s.lexer->NextToken();
    s.lexer->NextToken();
    EXPECT_STREQ("x", s.lexer->tokenText.GetText());
    EXPECT_EQ(capacity, s.lexer->tokenText.text.capacity);
    EXPECT_EQ(15, s.lexer->tokenText.text.count) << "count still covers the earlier token";
}

TEST(Lexer, NextTokenSkipsListedKindsButNeverTheEnd) {
    int kinds = Lexer::TokenIdentifier | Lexer::TokenBlank;
    EXPECT_EQ((V{"Identifier in", "Identifier int", "EOF"}),
              Tokens("in  int", kinds, {Lexer::TokenBlank}));
    EXPECT_EQ((V{"Identifier in", "Symbol ,", "Identifier out", "EOF"}),
              Tokens("in\t, \tout", kinds, {Lexer::TokenEndOfFile, Lexer::TokenBlank}));
    EXPECT_EQ((V{"Symbol ,", "EOF"}),
              Tokens("a , b", kinds, {Lexer::TokenIdentifier, Lexer::TokenBlank}));
    EXPECT_EQ((V{"EOF", "Symbol x", "EOF"}), Tokens("\x17x", 0, {Lexer::TokenEndOfFile}));
}

TEST(Lexer, LookAheadPastTheEndFailsAndChangesNothing) {
    Scanner s("ab");
    Lexer& l = *s.lexer;
    EXPECT_EQ('b', l.LookAhead(1));
    EXPECT_TRUE(Throws([&] { l.LookAhead(2); }, "LookAhead: End of file"));
    EXPECT_TRUE(Throws([&] { l.LookAhead(-1); }, "LookAhead: End of file"));
    EXPECT_EQ(2, l.remaining);
    EXPECT_EQ('a', l.LookAhead(0));
    l.Advance(2);
    EXPECT_TRUE(Throws([&] { l.LookAhead(0); }, "LookAhead: End of file"));
}

// A long input is held in a buffer of about twice the longest look-ahead.
TEST(Lexer, LongInputKeepsTheBufferSmall) {
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "word ";
    Scanner s(text, Lexer::TokenIdentifier | Lexer::TokenBlank);
    s.lexer->skipKinds.Add(Lexer::TokenBlank);
    int words = 0;
    for (s.lexer->NextToken(); s.lexer->tokenKind != Lexer::TokenEndOfFile; s.lexer->NextToken()) {
        ++words;
    }
    EXPECT_EQ(20000, words);
    EXPECT_LE(s.lexer->buffer.capacity, 100);
}
