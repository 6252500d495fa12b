// Keeps the pack author's guide true: every code sample in it is quoted from a
// file that the build compiles, and every signature example in it is parsed
// by the plugin framework with the result that the guide states.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/exception.h"
#include "plugin/descriptor.h"
#include "tests/fixtures/fixed_plugin.h"

namespace {

const std::string SourceDir = OMBREL_SOURCE_DIR;
const std::string GuidePath = SourceDir + "/docs/writing-a-pack.md";

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

struct CodeBlock {
    int line;            // of the opening fence, 1-based
    std::string source;  // the file named in the comment before the fence
    std::string code;
};

// The ```cpp and ```cmake blocks of the guide, each with the file named by the
// "<!-- from path -->" line right before it (empty when there is none).
std::vector<CodeBlock> QuotedBlocks(const std::vector<std::string>& lines) {
    std::vector<CodeBlock> blocks;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != "```cpp" && lines[i] != "```cmake") continue;
        CodeBlock block{static_cast<int>(i) + 1, "", ""};
        const std::string marker = "<!-- from ";
        if (i > 0 && StartsWith(lines[i - 1], marker)) {
            const std::string& comment = lines[i - 1];
            block.source = comment.substr(marker.size(), comment.find(" -->") - marker.size());
        }
        for (++i; i < lines.size() && lines[i] != "```"; ++i) block.code += lines[i] + "\n";
        blocks.push_back(block);
    }
    return blocks;
}

TEST(WritingAPackGuide, EveryCodeSampleIsQuotedFromACompiledFile) {
    const std::vector<CodeBlock> blocks = QuotedBlocks(Lines(ReadFile(GuidePath)));
    ASSERT_GE(blocks.size(), 5u) << "the guide at " << GuidePath << " has lost its samples";
    for (const CodeBlock& block : blocks) {
        ASSERT_FALSE(block.source.empty())
            << "the sample at line " << block.line << " names no file (<!-- from path -->)";
        const bool compiled =
            StartsWith(block.source, "examples/") || StartsWith(block.source, "plugin/");
        EXPECT_TRUE(compiled) << block.source << " is not a file the build compiles";
        const std::string file = ReadFile(SourceDir + "/" + block.source);
        ASSERT_FALSE(file.empty()) << block.source << " (line " << block.line << ") is missing";
        EXPECT_NE(file.find(block.code), std::string::npos)
            << "the sample at line " << block.line << " is not in " << block.source
            << " as quoted:\n"
            << block.code;
    }
}

// What the host makes of a signature: "<n> argument(s)" or the message.
std::string Outcome(const std::string& signature) {
    FixedPlugin plugin("MyPlugin", signature.c_str());
    try {
        PluginDescriptor descriptor(&plugin);
        const int count = descriptor.GetArgumentCount();
        return std::to_string(count) + (count == 1 ? " argument" : " arguments");
    } catch (const Ombrel::Exception& e) {
        return e.message;
    }
}

// The rows "| `signature` | outcome |" of the table that follows the line
// "<!-- signature examples -->" in the guide; a message stands in double
// quotes, a count as "<n> argument(s)".
TEST(WritingAPackGuide, SignatureExamplesGiveTheStatedResults) {
    int rows = 0;
    bool inTable = false;
    for (const std::string& line : Lines(ReadFile(GuidePath))) {
        if (line == "<!-- signature examples -->") inTable = true;
        if (line.empty()) inTable = false;
        if (!inTable || !StartsWith(line, "| `")) continue;
        const size_t end = line.find('`', 3);
        const size_t bar = line.find('|', end);
        ASSERT_NE(bar, std::string::npos) << line;
        const std::string signature = line.substr(3, end - 3);
        std::string stated = line.substr(bar + 1);
        const size_t open = stated.find('"');
        if (open != std::string::npos) {
            stated = stated.substr(open + 1, stated.rfind('"') - open - 1);
        } else {
            stated = stated.substr(stated.find_first_not_of(' '));
            stated = stated.substr(0, stated.find(" argument")) +
                     (StartsWith(stated, "1 ") ? " argument" : " arguments");
        }
        EXPECT_EQ(Outcome(signature), stated) << "for the signature \"" << signature << "\"";
        ++rows;
    }
    EXPECT_GE(rows, 8) << "the guide's table of signature examples is missing";
}

}  // namespace
