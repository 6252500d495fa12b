#include "programs/capture/encoding_queue.h"

#include <algorithm>
#include <exception>

#include "foundation/exception.h"

namespace {

// Enough to ride out a frame that takes long to encode.
const std::size_t Depth = 3;

}  // namespace

EncodingQueue::EncodingQueue(MediaWriter& output, std::size_t frameBytes, int mostSamples)
    : writer(output), slots(Depth) {
    for (Slot& slot : slots) {
        slot.pixels.resize(frameBytes);
        slot.sound.resize(2 * static_cast<std::size_t>(mostSamples));
    }
    thread = std::thread(&EncodingQueue::Work, this);
}

EncodingQueue::~EncodingQueue() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    changed.notify_all();
    thread.join();
}

void EncodingQueue::ThrowIfFailed() {
    if (failed) throw Ombrel::Exception("%s", failure.c_str());
}

// The per-frame path on the drawing side: one copy into memory made up front.
void EncodingQueue::Push(const std::uint8_t* pixels, const float* stereo, int samples) {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [this] { return count < slots.size() || failed; });
    ThrowIfFailed();
    Slot& slot = slots[(first + count) % slots.size()];
    lock.unlock();
    // The thread never touches a slot until it is counted in.
    std::copy(pixels, pixels + slot.pixels.size(), slot.pixels.begin());
    std::copy(stereo, stereo + 2 * samples, slot.sound.begin());
    slot.samples = samples;
    lock.lock();
    ++count;
    lock.unlock();
    changed.notify_all();
}

void EncodingQueue::Flush() {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [this] { return count == 0 || failed; });
    ThrowIfFailed();
}

void EncodingQueue::Work() {
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
        changed.wait(lock, [this] { return count > 0 || stopping; });
        if (stopping) return;
        Slot& slot = slots[first];
        lock.unlock();
        bool written = false;
        std::string reason;
        try {
            writer.WriteVideo(slot.pixels.data());
            writer.WriteAudio(slot.sound.data(), slot.samples);
            written = true;
        } catch (const Ombrel::Exception& e) {
            reason = e.message;
        } catch (const std::exception& e) {
            reason = e.what();
        }
        lock.lock();
        if (!written) {
            failed = true;
            failure = reason;
            changed.notify_all();
            return;
        }
        first = (first + 1) % slots.size();
        --count;
        changed.notify_all();
    }
}
