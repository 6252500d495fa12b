#include "plugin/descriptor.h"

#include "foundation/exception.h"
#include "foundation/lexer.h"
#include "foundation/memory_stream.h"

namespace {

// A pack that answers null where a text is due is read as having given an
// empty text, rather than crashing the host.
const char* TextOrEmpty(const char* text) {
    return text ? text : "";
}

// The offset of the first character at or after `offset` that is not a blank.
int SkipBlanks(const String& text, int offset) {
    const char* characters = text.GetText();
    while (characters[offset] == ' ' || characters[offset] == '\t') ++offset;
    return offset;
}

}  // namespace

PluginDescriptor::PluginDescriptor(Plugin* pluginObject) : plugin(pluginObject), unreadFrom(-1) {
    name.Assign(TextOrEmpty(plugin->GetName()));
    String signature;
    signature.Assign(TextOrEmpty(plugin->GetSignature()));
    ParseArguments(signature);
}

// A signature is a comma-separated list of "[opt] in|out Type name". Blanks
// are skipped; every character that is neither a blank nor the start of an
// identifier arrives as a symbol of its own. A list ends without error at the
// first token that cannot start an argument (the end of the text, a comma at
// the very end, a digit, a line break after a comma).
void PluginDescriptor::ParseArguments(const String& signature) {
    MemoryStream stream;
    int length = signature.GetLength();
    if (length == 0) return;
    stream.Write(signature.GetText(), length);

    Lexer lexer(&stream);
    lexer.enabledKinds |= Lexer::TokenIdentifier | Lexer::TokenBlank;
    lexer.skipKinds.Add(Lexer::TokenBlank);

    for (;;) {
        int read = length - lexer.remaining;
        lexer.NextToken();
        if (lexer.tokenKind != Lexer::TokenIdentifier) {
            // The token just read is the first one left over; only blanks
            // were skipped before it. (A symbol leaves the token text as it
            // was, so its length cannot tell where the token began.)
            if (lexer.tokenKind != Lexer::TokenEndOfFile) unreadFrom = SkipBlanks(signature, read);
            return;
        }

        bool optional = lexer.tokenText.CompareNoCase("opt") == 0;
        if (optional) {
            lexer.NextToken();
            if (lexer.tokenKind != Lexer::TokenIdentifier) {
                throw Ombrel::Exception("Invalid definition of plugin %s.", name.GetText());
            }
        }
        optionalFlags.Add(optional);

        bool in;
        if (lexer.tokenText.CompareNoCase("in") == 0) {
            in = true;
        } else if (lexer.tokenText.CompareNoCase("out") == 0) {
            in = false;
        } else {
            throw Ombrel::Exception(
                "Invalid definition of plugin %s, missing in/out type qualifier.", name.GetText());
        }
        inFlags.Add(in);

        lexer.NextToken();
        if (lexer.tokenKind != Lexer::TokenIdentifier) {
            throw Ombrel::Exception("Invalid definition of plugin %s.", name.GetText());
        }
        typeNames.Add(String(lexer.tokenText));

        lexer.NextToken();
        if (lexer.tokenKind != Lexer::TokenIdentifier) {
            throw Ombrel::Exception("Invalid definition of plugin %s.", name.GetText());
        }
        argumentNames.Add(String(lexer.tokenText));

        lexer.NextToken();
        if (lexer.tokenKind == Lexer::TokenEndOfFile) return;
        if (lexer.tokenKind != Lexer::TokenSymbol || lexer.charValue != ',') {
            throw Ombrel::Exception("Missing ',' at plugin %s definition.", name.GetText());
        }
    }
}
