#include "programs/live/json_writer.h"

#include <cmath>
#include <cstdio>

namespace Ombrel::Live {

namespace {

// How many bytes the UTF-8 sequence at `at` takes, 0 when it is not one.
std::size_t Utf8Length(const std::string& text, std::size_t at) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(at);
    std::size_t length = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : 2;
    if (lead < 0xc2 || lead > 0xf4 || at + length > text.size()) return 0;
    // The second byte's range rules out overlong forms, surrogates and code
    // points beyond U+10FFFF.
    unsigned char low = 0x80, high = 0xbf;
    if (lead == 0xe0) low = 0xa0;
    if (lead == 0xed) high = 0x9f;
    if (lead == 0xf0) low = 0x90;
    if (lead == 0xf4) high = 0x8f;
    if (byte(at + 1) < low || byte(at + 1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if ((byte(at + i) & 0xc0) != 0x80) return 0;
    }
    return length;
}

}  // namespace

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (std::size_t at = 0; at < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[at]);
        if (c >= 0x80) {
            std::size_t length = Utf8Length(text, at);
            out += length > 0 ? text.substr(at, length) : "\\ufffd";
            at += length > 0 ? length : 1;
            continue;
        }
        ++at;
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string JsonNumber(double value, int decimals) {
    if (!std::isfinite(value)) return "null";
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string number = text;
    if (number.find('.') != std::string::npos) {
        number.erase(number.find_last_not_of('0') + 1);
        if (number.back() == '.') number.pop_back();
    }
    return number == "-0" ? "0" : number;
}

void JsonWriter::Next() {
    if (!keyed && !first) text += ',';
    first = false;
    keyed = false;
}

JsonWriter& JsonWriter::Open(char bracket) {
    Next();
    text += bracket;
    closers.push_back(bracket == '{' ? '}' : ']');
    first = true;
    return *this;
}

JsonWriter& JsonWriter::Close() {
    if (closers.empty()) return *this;
    text += closers.back();
    closers.pop_back();
    first = false;
    return *this;
}

JsonWriter& JsonWriter::Key(const char* name) {
    Next();
    text += JsonString(name) + ":";
    keyed = true;
    return *this;
}

JsonWriter& JsonWriter::String(const std::string& value) {
    return Raw(JsonString(value));
}

JsonWriter& JsonWriter::Number(double value, int decimals) {
    return Raw(JsonNumber(value, decimals));
}

JsonWriter& JsonWriter::Whole(long long value) {
    return Raw(std::to_string(value));
}

JsonWriter& JsonWriter::Bool(bool value) {
    return Raw(value ? "true" : "false");
}

JsonWriter& JsonWriter::Null() {
    return Raw("null");
}

JsonWriter& JsonWriter::Raw(const std::string& json) {
    Next();
    text += json;
    return *this;
}

}  // namespace Ombrel::Live
