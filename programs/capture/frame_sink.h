#pragma once

#include <cstdint>

// Where read-back frames go: the pixels of one frame, `width` x `height`
// BGRA pixels in rows from the bottom up, valid during the call only.
class FrameSink {
public:
    virtual void TakeFrame(const std::uint8_t* bgra) = 0;

protected:
    ~FrameSink() = default;
};
