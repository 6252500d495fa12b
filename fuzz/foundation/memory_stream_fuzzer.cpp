// MemoryStream driven by a sequence of operations and checked against a plain
// model (a byte vector with a position). Each operation is one byte of kind and
// up to four bytes of argument; a failing operation must fail in both and leave
// the stream unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "foundation/exception.h"
#include "foundation/memory_stream.h"

namespace {

struct Model {
    std::vector<char> bytes;
    long long position = 0;
};

int TakeInt(const uint8_t*& data, size_t& size) {
    int32_t value = 0;
    size_t n = size < 4 ? size : 4;
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

void Check(MemoryStream& stream, const Model& model) {
    if (stream.Tell() != model.position) abort();
    if (stream.length != static_cast<int>(model.bytes.size())) abort();
    if (stream.IsEOF() != (model.position == static_cast<long long>(model.bytes.size()))) abort();
    if (stream.length > stream.buffer.capacity) abort();
    if (!model.bytes.empty() && std::memcmp(stream.buffer.data, model.bytes.data(), model.bytes.size()) != 0) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryStream stream;
    Model model;
    std::vector<char> scratch;
    while (size > 0) {
        uint8_t kind = *data++;
        --size;
        int argument = TakeInt(data, size);
        long long length = static_cast<long long>(model.bytes.size());
        bool modelFails = false;
        try {
            switch (kind % 7) {
                case 0: {  // Write of up to 200000 bytes (or a negative count)
                    int count = argument % 200001;
                    modelFails = count < 0;
                    scratch.assign(count > 0 ? count : 0, static_cast<char>(kind));
                    stream.Write(scratch.data(), count);
                    if (model.position + count > length) model.bytes.resize(model.position + count);
                    std::memcpy(model.bytes.data() + model.position, scratch.data(), count);
                    model.position += count;
                    break;
                }
                case 1: {  // Read
                    int count = argument % 100000;
                    modelFails = count < 0 || model.position + count > length;
                    scratch.resize(count > 0 ? count : 0);
                    stream.Read(scratch.data(), count);
                    if (std::memcmp(scratch.data(), model.bytes.data() + model.position, count) != 0) abort();
                    model.position += count;
                    break;
                }
                case 2:  // ReadByte
                    modelFails = model.position == length;
                    if (stream.ReadByte() != model.bytes[model.position]) abort();
                    ++model.position;
                    break;
                case 3:  // WriteByte
                    stream.WriteByte(static_cast<char>(argument));
                    if (model.position == length) model.bytes.push_back(static_cast<char>(argument));
                    else model.bytes[model.position] = static_cast<char>(argument);
                    ++model.position;
                    break;
                case 4: {  // Seek
                    int origin = (argument & 3);
                    int offset = argument >> 2;
                    long long target = origin == 0 ? offset : origin == 1 ? model.position + offset : length + offset;
                    modelFails = origin == 3 || (origin == 2 && offset > 0) || target < 0 || target > length;
                    stream.Seek(offset, origin);
                    model.position = target;
                    break;
                }
                case 5:  // Clear
                    stream.Clear();
                    model.bytes.clear();
                    model.position = 0;
                    break;
                default:  // Tell and IsEOF are checked after every step
                    break;
            }
            if (modelFails) abort();  // the stream accepted what must fail
        } catch (const Ombrel::Exception&) {
            if (!modelFails) abort();  // the stream refused what must succeed
        }
        Check(stream, model);
    }
    return 0;
}
