#include "programs/support/option_table.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "foundation/exception.h"

namespace Ombrel::Tools {

namespace {

[[noreturn]] void Refuse(const std::string& message) {
    throw Ombrel::Exception("%s", message.c_str());
}

const Option* Find(const std::vector<Option>& table, const std::string& spelling) {
    if (spelling.empty()) return nullptr;
    for (const Option& option : table) {
        if (option.name == spelling || option.alias == spelling) return &option;
    }
    return nullptr;
}

long long Gcd(long long a, long long b) {
    while (b != 0) {
        long long rest = a % b;
        a = b;
        b = rest;
    }
    return a;
}

}  // namespace

bool FollowingArguments::Take(std::string& argument) {
    if (next >= arguments.size()) return false;
    argument = arguments[next++];
    return true;
}

Option::Option(std::string spelling, std::string valueName, std::string text, Read reader)
    : name(std::move(spelling)),
      value(std::move(valueName)),
      help(std::move(text)),
      read(std::move(reader)) {}

Option::Option(std::string text) : help(std::move(text)) {}

std::string Option::Shown() const {
    if (!form.empty()) return form;
    return value.empty() ? name : name + " " + value;
}

std::string FillIn(const std::string& message,
                   const std::vector<std::pair<const char*, std::string>>& fills) {
    std::string filled;
    for (std::size_t at = 0; at < message.size();) {
        std::size_t close = message[at] == '{' ? message.find('}', at) : std::string::npos;
        const std::string* text = nullptr;
        for (const auto& fill : fills) {
            if (close != std::string::npos &&
                message.compare(at + 1, close - at - 1, fill.first) == 0)
                text = &fill.second;
        }
        if (text == nullptr) {
            filled += message[at++];
        } else {
            filled += *text;
            at = close + 1;
        }
    }
    return filled;
}

void ReadOptions(const std::vector<std::string>& arguments, const std::vector<Option>& table,
                 const Wording& wording) {
    for (std::size_t next = 0; next < arguments.size();) {
        const std::string& argument = arguments[next++];
        std::string spelling = argument;
        std::string value;
        bool joined = false;
        std::size_t equals = argument.find('=');
        if (wording.equalsForm && argument.compare(0, 2, "--") == 0 &&
            equals != std::string::npos) {
            spelling = argument.substr(0, equals);
            value = argument.substr(equals + 1);
            joined = true;
        }
        auto message = [&](const std::string& text, const Option* option) {
            return FillIn(text, {{"option", spelling},
                                 {"argument", argument},
                                 {"value", value},
                                 {"name", option ? option->value : ""},
                                 {"needs", option ? option->needs : ""}});
        };
        const Option* option = Find(table, spelling);
        if (option == nullptr) {
            bool isOption = spelling.size() > 1 && spelling[0] == '-';
            if (spelling == "-") isOption = !wording.dashIsWord;
            if (isOption || !wording.word) Refuse(message(wording.unknown, nullptr));
            wording.word(argument);
            continue;
        }
        if (option->value.empty() && joined) Refuse(message(wording.noValue, option));
        if (!option->value.empty() && !joined) {
            if (next == arguments.size()) Refuse(message(wording.needsValue, option));
            value = arguments[next++];
        }
        FollowingArguments more(arguments, next);
        bool taken = option->readMore ? option->readMore(value, more) : option->read(value);
        if (!taken) {
            Refuse(message(option->refusal.empty() ? wording.refusal : option->refusal, option));
        }
        if (option->ends) return;
    }
}

std::string OptionLines(const std::vector<Option>& table, std::size_t column) {
    std::string lines;
    const std::string indent(column, ' ');
    for (const Option& option : table) {
        if (option.name.empty()) {
            lines += option.help;
            continue;
        }
        if (option.help.empty()) continue;
        std::string form = "  " + option.Shown();
        form += std::string(form.size() < column ? column - form.size() : 2, ' ');
        std::string help = option.help;
        for (std::size_t at = help.find('\n'); at != std::string::npos;
             at = help.find('\n', at + 1)) {
            if (at + 1 < help.size() && help[at + 1] != '\n') help.insert(at + 1, indent);
        }
        lines += form + help + "\n";
    }
    return lines;
}

std::string OptionSummary(const std::vector<Option>& table) {
    std::string summary;
    for (const Option& option : table) {
        if (option.name.empty() || option.help.empty()) continue;
        summary += (summary.empty() ? "[" : " [") + option.Shown() + "]";
    }
    return summary;
}

Option::Read SetFlag(bool& flag) {
    return [&flag](const std::string&) { return flag = true; };
}

Option::Read TakeText(std::string& field) {
    return [&field](const std::string& value) {
        field = value;
        return !value.empty();
    };
}

Option::Read TakeWord(std::string& field) {
    return [&field](const std::string& value) {
        field = value;
        return true;
    };
}

bool ReadInteger(const std::string& text, long long low, long long high, long long& value) {
    char* end = nullptr;
    errno = 0;
    long long read = std::strtoll(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != '\0' || errno != 0 || read < low || read > high)
        return false;
    value = read;
    return true;
}

bool ReadInteger(const std::string& text, int low, int high, int& value) {
    long long read = 0;
    if (!ReadInteger(text, static_cast<long long>(low), static_cast<long long>(high), read))
        return false;
    value = static_cast<int>(read);
    return true;
}

bool ReadSize(const std::string& text, int& width, int& height) {
    std::size_t x = text.find_first_of("xX");
    int w = 0, h = 0;
    if (x == std::string::npos || !ReadInteger(text.substr(0, x), SmallestSide, LargestSide, w) ||
        !ReadInteger(text.substr(x + 1), SmallestSide, LargestSide, h)) {
        return false;
    }
    width = w;
    height = h;
    return true;
}

bool ReadRate(const std::string& text, int& numerator, int& denominator) {
    long long top = 0, bottom = 1;
    int whole = 0, part = 0;
    std::size_t slash = text.find('/');
    std::size_t point = text.find('.');
    if (slash != std::string::npos) {
        if (!ReadInteger(text.substr(0, slash), 1, 1000000, whole) ||
            !ReadInteger(text.substr(slash + 1), 1, 1000000, part)) {
            return false;
        }
        top = whole;
        bottom = part;
    } else if (point != std::string::npos) {
        std::string decimals = text.substr(point + 1);
        if (!ReadInteger(text.substr(0, point), 0, LargestRate, whole) || decimals.empty() ||
            decimals.size() > 4 || !ReadInteger(decimals, 0, 9999, part) || decimals[0] == '-' ||
            decimals[0] == '+') {
            return false;
        }
        bottom = static_cast<long long>(std::pow(10.0, static_cast<double>(decimals.size())) + 0.5);
        top = whole * bottom + part;
    } else {
        if (!ReadInteger(text, 1, LargestRate, whole)) return false;
        top = whole;
    }
    if (top < bottom || top > LargestRate * bottom) return false;
    long long divisor = Gcd(top, bottom);
    numerator = static_cast<int>(top / divisor);
    denominator = static_cast<int>(bottom / divisor);
    return true;
}

bool ReadSeconds(const std::string& text, double longest, bool zeroToo, double& seconds) {
    char* end = nullptr;
    double read = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || !(read >= 0.0) || (read == 0.0 && !zeroToo) ||
        read > longest) {
        return false;
    }
    seconds = read;
    return true;
}

bool SplitRange(const std::string& text, std::string& first, std::string& last) {
    std::size_t dash = text.find('-', 1);
    if (dash == std::string::npos) return false;
    first = text.substr(0, dash);
    last = text.substr(dash + 1);
    return true;
}

}  // namespace Ombrel::Tools
