#include "programs/capture/encoded_join.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <algorithm>
#include <cstring>
#include <memory>

#include "foundation/exception.h"
#include "programs/capture/ffmpeg_writer.h"
#include "programs/capture/joined_video.h"
#include "programs/capture/output_formats.h"
#include "programs/support/interruption.h"

namespace {

// One segment file opened for reading, its picture's packets in decoding
// order with their timestamps counted in frames of the whole video.
class EncodedSegment {
public:
    explicit EncodedSegment(const std::string& file) : path(file) {
        av_log_set_level(AV_LOG_ERROR);
        Check(avformat_open_input(&input, path.c_str(), nullptr, nullptr), "opening it");
        Check(avformat_find_stream_info(input, nullptr), "reading it");
        const AVDictionaryEntry* entry = av_dict_get(input->metadata, "OMBREL_SEGMENT", nullptr, 0);
        if (entry == nullptr || !ReadSegmentTag(entry->value, &tag)) {
            Fail("is no segment of a split capture (it has no frame range in its tags)");
        }
        video = av_find_best_stream(input, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        if (video < 0) Fail("has no picture");
        const AVCodecParameters* codec = Parameters();
        if (codec->codec_id != AV_CODEC_ID_H264 || codec->width != tag.width ||
            codec->height != tag.height) {
            Fail("is damaged: its picture does not match its tags");
        }
        packet = av_packet_alloc();
        if (packet == nullptr) Fail("out of memory");
    }
    ~EncodedSegment() {
        av_packet_free(&packet);
        avformat_close_input(&input);
    }
    EncodedSegment(const EncodedSegment&) = delete;
    EncodedSegment& operator=(const EncodedSegment&) = delete;

    const SegmentTag& Tag() const { return tag; }
    const AVCodecParameters* Parameters() const { return input->streams[video]->codecpar; }

    // The next packet of the picture, its pts in frames; null after the last.
    AVPacket* Next() {
        for (;;) {
            av_packet_unref(packet);
            int result = av_read_frame(input, packet);
            if (result == AVERROR_EOF) return nullptr;
            Check(result, "reading it");
            if (packet->stream_index != video) continue;
            if (packet->pts == AV_NOPTS_VALUE) Fail("is damaged: a picture has no timestamp");
            // Matroska counts milliseconds: the nearest frame is the one.
            AVRational frame = {tag.rateDenominator, tag.rateNumerator};
            packet->pts = av_rescale_q_rnd(packet->pts, input->streams[video]->time_base, frame,
                                           AV_ROUND_NEAR_INF);
            return packet;
        }
    }

    [[noreturn]] void Fail(const std::string& reason) const {
        throw Ombrel::Exception("Segment %s %s", path.c_str(), reason.c_str());
    }

private:
    void Check(int result, const char* doing) const {
        if (result >= 0) return;
        char reason[AV_ERROR_MAX_STRING_SIZE] = {0};
        av_strerror(result, reason, sizeof reason);
        Fail(std::string("cannot be read: ") + doing + ": " + reason);
    }

    std::string path;
    AVFormatContext* input = nullptr;
    AVPacket* packet = nullptr;
    int video = -1;
    SegmentTag tag;
};

bool SameBytes(const AVCodecParameters* a, const AVCodecParameters* b) {
    return a->extradata_size == b->extradata_size &&
           (a->extradata_size == 0 ||
            std::memcmp(a->extradata, b->extradata, static_cast<std::size_t>(a->extradata_size)) ==
                0);
}

// Checks that the segment holds exactly its frames, each once, and starts
// on a keyframe; returns how many frames its decoding order runs ahead of
// its presentation, the shift its decoding timestamps need.
std::int64_t CheckSegment(EncodedSegment& segment, const AVCodecParameters* first) {
    const FrameRange& frames = segment.Tag().frames;
    if (!SameBytes(segment.Parameters(), first)) {
        segment.Fail("was encoded with other H.264 settings than the first segment");
    }
    std::vector<std::int64_t> shown;
    std::int64_t delay = 0;
    for (AVPacket* packet = segment.Next(); packet != nullptr; packet = segment.Next()) {
        if (shown.empty() && !(packet->flags & AV_PKT_FLAG_KEY)) {
            segment.Fail("does not start with a keyframe");
        }
        delay =
            std::max(delay, frames.first + static_cast<std::int64_t>(shown.size()) - packet->pts);
        shown.push_back(packet->pts);
        if (Interrupted()) return delay;
    }
    std::sort(shown.begin(), shown.end());
    bool exact = static_cast<std::int64_t>(shown.size()) == frames.Count();
    for (std::size_t i = 0; exact && i < shown.size(); ++i) {
        exact = shown[i] == frames.first + static_cast<std::int64_t>(i);
    }
    if (!exact) {
        segment.Fail("does not hold exactly frames " + frames.Text() + " (it holds " +
                     std::to_string(shown.size()) + " pictures" +
                     (shown.empty() ? std::string()
                                    : ", frames " + std::to_string(shown.front()) + " to " +
                                          std::to_string(shown.back())) +
                     ")");
    }
    return delay;
}

}  // namespace

SegmentTag ReadEncodedSegmentTag(const std::string& path) {
    return EncodedSegment(path).Tag();
}

bool JoinEncodedSegments(const std::vector<SegmentFile>& ordered, const std::string& output,
                         MusicTrack& music, const FrameClock& clock, ProgressLine& progress) {
    // First every segment is checked, so that a bad one leaves no output.
    std::unique_ptr<EncodedSegment> first(new EncodedSegment(ordered.front().path));
    std::int64_t delay = 0;
    for (const SegmentFile& file : ordered) {
        EncodedSegment segment(file.path);
        delay = std::max(delay, CheckSegment(segment, first->Parameters()));
        if (Interrupted()) return false;
    }

    const char* container = OutputExtension(output) == ".mp4" ? "mp4" : "matroska";
    FfmpegWriter writer(output, container, JoinedFormat(ordered), first->Parameters());
    JoinedSound sound(music, clock, progress);
    for (const SegmentFile& file : ordered) {
        EncodedSegment segment(file.path);
        for (AVPacket* packet = segment.Next(); packet != nullptr; packet = segment.Next()) {
            if (Interrupted()) return false;
            // Decoding runs `delay` frames ahead of presentation throughout,
            // as it does in a whole capture, so the timestamps of the joined
            // picture rise steadily across the seams.
            packet->dts = sound.Frames() - delay;  // pictures so far, in decoding order
            packet->duration = 1;
            writer.WriteVideoPacket(packet);
            sound.WriteFrame(writer);
        }
    }
    writer.Finish();
    return true;
}
