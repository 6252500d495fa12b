// The lexer's throughput over signature-like text of 1 MB and 10 MB: the
// bytes per second should stay flat as the input grows (linear time), and the
// look-ahead buffer should stay small however long the input is.
#include <benchmark/benchmark.h>

#include <string>

#include "foundation/lexer.h"
#include "foundation/memory_stream.h"

namespace {

std::string MakeText(size_t size) {
    static const char piece[] =
        "out OpenGL openGL, in String name, in int width, in float  time, opt in bool flag,\r\n";
    std::string text;
    text.reserve(size + sizeof piece);
    while (text.size() < size) text += piece;
    text.resize(size);
    return text;
}

void BM_LexerSignatureText(benchmark::State& state) {
    const size_t size = static_cast<size_t>(state.range(0)) << 20;
    std::string text = MakeText(size);
    MemoryStream stream;
    stream.Write(text.data(), static_cast<int>(text.size()));
    int bufferCapacity = 0;
    long tokens = 0;
    for (auto _ : state) {
        Lexer lexer(&stream);
        lexer.enabledKinds |= Lexer::TokenIdentifier | Lexer::TokenBlank | Lexer::TokenNewLine;
        lexer.skipKinds.Add(Lexer::TokenBlank);
        tokens = 0;
        do {
            lexer.NextToken();
            ++tokens;
        } while (lexer.tokenKind != Lexer::TokenEndOfFile);
        bufferCapacity = lexer.buffer.capacity;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
    state.counters["tokens"] = static_cast<double>(tokens);
    state.counters["lookahead_capacity"] = bufferCapacity;
}
BENCHMARK(BM_LexerSignatureText)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace
