#include "programs/capture/segment_check.h"

#include <algorithm>

#include "foundation/exception.h"

namespace {

std::string Frames(std::int64_t first, std::int64_t last) {
    if (first == last) return "frame " + std::to_string(first);
    return "frames " + std::to_string(first) + "-" + std::to_string(last);
}

void CheckSameVideo(const SegmentFile& segment, const SegmentFile& first) {
    const SegmentTag& a = first.tag;
    const SegmentTag& b = segment.tag;
    if (b.Settings() != a.Settings()) {
        throw Ombrel::Exception(
            "%s is %s, but %s is %s: render every segment with the same settings",
            segment.path.c_str(), b.Settings().c_str(), first.path.c_str(), a.Settings().c_str());
    }
    if (b.total != a.total) {
        throw Ombrel::Exception(
            "%s is part of a video of %lld frames, but %s of one of %lld: render every segment "
            "with the same length",
            segment.path.c_str(), static_cast<long long>(b.total), first.path.c_str(),
            static_cast<long long>(a.total));
    }
}

}  // namespace

std::vector<std::size_t> OrderSegments(const std::vector<SegmentFile>& segments) {
    if (segments.empty()) throw Ombrel::Exception("No segments to join");
    for (const SegmentFile& segment : segments) CheckSameVideo(segment, segments.front());

    std::vector<std::size_t> order(segments.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return segments[a].tag.frames.first < segments[b].tag.frames.first;
    });

    std::int64_t next = 0;  // the first frame no segment so far holds
    const SegmentFile* previous = nullptr;
    for (std::size_t index : order) {
        const SegmentFile& segment = segments[index];
        const FrameRange& frames = segment.tag.frames;
        if (frames.first > next) {
            std::string around =
                previous ? previous->path + " ends at frame " + std::to_string(next - 1) + ", "
                         : std::string("the first segment, ");
            throw Ombrel::Exception("%s %s: no segment holds them (%s%s starts at frame %lld)",
                                    Frames(next, frames.first - 1).c_str(),
                                    frames.first - 1 == next ? "is missing" : "are missing",
                                    around.c_str(), segment.path.c_str(),
                                    static_cast<long long>(frames.first));
        }
        if (frames.first < next) {
            throw Ombrel::Exception(
                "%s (frames %s) and %s (frames %s) overlap at %s", previous->path.c_str(),
                previous->tag.frames.Text().c_str(), segment.path.c_str(), frames.Text().c_str(),
                Frames(frames.first, std::min(next, frames.last + 1) - 1).c_str());
        }
        next = frames.last + 1;
        previous = &segment;
    }
    std::int64_t total = segments.front().tag.total;
    if (next < total) {
        throw Ombrel::Exception("%s %s: no segment holds them (%s ends at frame %lld of %lld)",
                                Frames(next, total - 1).c_str(),
                                total - 1 == next ? "is missing" : "are missing",
                                previous->path.c_str(), static_cast<long long>(next - 1),
                                static_cast<long long>(total));
    }
    return order;
}
