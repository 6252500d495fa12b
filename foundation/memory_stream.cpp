#include "foundation/memory_stream.h"

#include <climits>
#include <cstring>

#include "foundation/exception.h"

static const char NotEnoughBytes[] = "Not enough bytes to read from MemoryStream";
static const char InvalidPosition[] = "Invalid position in MemoryStream";
static const char InvalidSeekOption[] = "Invalid Seek Option in MemoryStream";

MemoryStream::MemoryStream() : buffer(10, 10.0f) {
    Clear();
}

// Every failure is checked before anything moves, so a failed call leaves
// position, length and buffer as they were. A negative count is refused too:
// it would copy backwards through memory.
void MemoryStream::Read(void* destination, int count) {
    if (count < 0 || count > length - position) throw Ombrel::Exception(NotEnoughBytes);
    if (count > 0) std::memcpy(destination, buffer.data + position, static_cast<size_t>(count));
    position += count;
}

void MemoryStream::Write(const void* source, int count) {
    // A negative count would move the position backwards, and a huge one past
    // what a 32-bit position can hold: both are invalid positions.
    if (count < 0 || count > INT_MAX / 2 - position) throw Ombrel::Exception(InvalidPosition);
    int end = position + count;
    if (end > reservedSize) {
        buffer.Grow();
        reservedSize = buffer.capacity;
    }
    int valid = length > end ? length : end;
    if (valid >= buffer.capacity) buffer.Grow();
    // A single write larger than the doubling steps: keep doubling until it fits.
    while (end > buffer.capacity) {
        buffer.Grow();
        reservedSize = buffer.capacity;
    }
    // Keep the valid bytes known to the array, so growth copies them all.
    if (buffer.count < valid) buffer.count = valid;
    if (count > 0) std::memcpy(buffer.data + position, source, static_cast<size_t>(count));
    position = end;
    if (length < position) length = position;
}

char MemoryStream::ReadByte() {
    if (position == length) throw Ombrel::Exception(NotEnoughBytes);
    return buffer.data[position++];
}

void MemoryStream::WriteByte(char byte) {
    if (position == buffer.capacity) buffer.Grow();
    buffer.SetAt(position, byte);
    ++position;
    if (length < position) length = position;
}

void MemoryStream::Seek(int offset, int origin) {
    long long target;
    switch (origin) {
        case SeekBegin:
            target = offset;
            break;
        case SeekCurrent:
            target = static_cast<long long>(position) + offset;
            break;
        case SeekEnd:
            if (offset > 0) throw Ombrel::Exception(InvalidPosition);
            target = static_cast<long long>(length) + offset;
            break;
        default:
            throw Ombrel::Exception(InvalidSeekOption);
    }
    if (target > length || target < 0) throw Ombrel::Exception(InvalidPosition);
    position = static_cast<int>(target);
}

int MemoryStream::Tell() {
    return position;
}

bool MemoryStream::IsEOF() {
    return position == length;
}

void MemoryStream::Clear() {
    buffer.count = 0;
    buffer.SetCapacity(InitialSize);
    buffer.growthFactor = 2.0f;
    position = 0;
    length = 0;
    reservedSize = InitialSize;
}
