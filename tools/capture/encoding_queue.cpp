#include "tools/capture/encoding_queue.h"

#include <algorithm>
#include <exception>

#include "foundation/exception.h"

namespace {

// Enough to ride out a frame that takes long to encode.
const std::size_t Depth = 3;

}  // namespace

EncodingQueue::EncodingQueue(MediaWriter& writer, std::size_t frameBytes, int mostSamples)
    : writer_(writer), slots_(Depth) {
    for (Slot& slot : slots_) {
        slot.pixels.resize(frameBytes);
        slot.sound.resize(2 * static_cast<std::size_t>(mostSamples));
    }
    thread_ = std::thread(&EncodingQueue::Work, this);
}

EncodingQueue::~EncodingQueue() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void EncodingQueue::ThrowIfFailed() {
    if (failed_) throw Ombrel::Exception("%s", failure_.c_str());
}

// The per-frame path on the drawing side: one copy into memory made up front.
void EncodingQueue::Push(const std::uint8_t* pixels, const float* stereo, int samples) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return count_ < slots_.size() || failed_; });
    ThrowIfFailed();
    Slot& slot = slots_[(first_ + count_) % slots_.size()];
    lock.unlock();
    // The thread never touches a slot until it is counted in.
    std::copy(pixels, pixels + slot.pixels.size(), slot.pixels.begin());
    std::copy(stereo, stereo + 2 * samples, slot.sound.begin());
    slot.samples = samples;
    lock.lock();
    ++count_;
    lock.unlock();
    changed_.notify_all();
}

void EncodingQueue::Flush() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return count_ == 0 || failed_; });
    ThrowIfFailed();
}

void EncodingQueue::Work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return count_ > 0 || stopping_; });
        if (stopping_) return;
        Slot& slot = slots_[first_];
        lock.unlock();
        bool failed = true;
        std::string reason;
        try {
            writer_.WriteVideo(slot.pixels.data());
            writer_.WriteAudio(slot.sound.data(), slot.samples);
            failed = false;
        } catch (const Ombrel::Exception& e) {
            reason = e.message;
        } catch (const std::exception& e) {
            reason = e.what();
        }
        lock.lock();
        if (failed) {
            failed_ = true;
            failure_ = reason;
            changed_.notify_all();
            return;
        }
        first_ = (first_ + 1) % slots_.size();
        --count_;
        changed_.notify_all();
    }
}
