#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "programs/capture/media_writer.h"

// Frames and their sound on their way to a MediaWriter, written on a thread
// of their own, so that the demo draws the next frame while this one is
// encoded. A few frames wait at most; Push waits while they do. The writer is
// used by that thread only until Flush returns.
class EncodingQueue {
public:
    EncodingQueue(MediaWriter& output, std::size_t frameBytes, int mostSamples);
    // Stops the thread; what is still waiting is dropped.
    ~EncodingQueue();
    EncodingQueue(const EncodingQueue&) = delete;
    EncodingQueue& operator=(const EncodingQueue&) = delete;

    // Copies one frame's pixels and `samples` stereo samples of its sound.
    // Throws the writer's failure, once it has failed.
    void Push(const std::uint8_t* pixels, const float* stereo, int samples);
    // Waits until all that was pushed is written; throws the writer's
    // failure.
    void Flush();

private:
    struct Slot {
        std::vector<std::uint8_t> pixels;
        std::vector<float> sound;
        int samples = 0;
    };

    void Work();
    void ThrowIfFailed();

    MediaWriter& writer;
    std::vector<Slot> slots;
    std::size_t first = 0;  // the oldest slot waiting
    std::size_t count = 0;  // slots waiting or being written
    bool stopping = false;
    bool failed = false;
    std::string failure;
    std::mutex mutex;
    std::condition_variable changed;
    std::thread thread;
};
