#include "programs/capture/ffmpeg_writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <string>

#include "foundation/exception.h"
#include "programs/capture/frame_clock.h"
#include "programs/capture/part_file.h"

namespace {

const std::int64_t AudioBitRate = 192000;

}  // namespace

struct FfmpegWriter::State {
    PartFile file;
    AVFormatContext* format = nullptr;
    AVCodecContext* video = nullptr;
    AVCodecContext* audio = nullptr;
    AVStream* videoStream = nullptr;
    AVStream* audioStream = nullptr;
    SwsContext* scale = nullptr;
    SwrContext* resample = nullptr;
    AVAudioFifo* fifo = nullptr;
    AVFrame* picture = nullptr;
    AVFrame* sound = nullptr;
    AVPacket* packet = nullptr;
    std::uint8_t** converted = nullptr;  // planar samples on their way to the queue
    int convertedCapacity = 0;
    std::int64_t videoPts = 0;
    std::int64_t audioPts = 0;

    bool withSound = true;
    bool copied = false;            // the picture comes encoded
    AVRational frameTime = {1, 1};  // one frame's time, the unit of copied timestamps

    State(const std::string& path, bool segment) : file(path, segment) {}
    ~State();

    // Throws naming the file and FFmpeg's reason when `result` is an error.
    int Check(int result, const char* doing);
    [[noreturn]] void Fail(const char* reason);
    void Start(const char* container, const MediaFormat& format);
    void OpenVideo(const MediaFormat& format);
    void CopyVideo(const MediaFormat& format, const AVCodecParameters* encoded);
    void OpenAudio();
    void OpenFile(const char* container, const MediaFormat& format);
    void Encode(AVCodecContext* codec, AVStream* stream, AVFrame* frame);
    void EncodeAudio(int samples);
};

FfmpegWriter::State::~State() {
    if (format != nullptr && format->pb != nullptr) avio_closep(&format->pb);
    avformat_free_context(format);
    avcodec_free_context(&video);
    avcodec_free_context(&audio);
    sws_freeContext(scale);
    swr_free(&resample);
    if (fifo != nullptr) av_audio_fifo_free(fifo);
    av_frame_free(&picture);
    av_frame_free(&sound);
    av_packet_free(&packet);
    if (converted != nullptr) av_freep(&converted[0]);
    av_freep(&converted);
}

int FfmpegWriter::State::Check(int result, const char* doing) {
    if (result >= 0) return result;
    char reason[AV_ERROR_MAX_STRING_SIZE] = {0};
    av_strerror(result, reason, sizeof reason);
    throw Ombrel::Exception("Cannot write %s: %s: %s", file.Path().c_str(), doing, reason);
}

void FfmpegWriter::State::Fail(const char* reason) {
    throw Ombrel::Exception("Cannot write %s: %s", file.Path().c_str(), reason);
}

void FfmpegWriter::State::OpenVideo(const MediaFormat& wanted) {
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (codec == nullptr) Fail("this FFmpeg has no H.264 encoder (libx264)");
    video = avcodec_alloc_context3(codec);
    if (video == nullptr) Fail("out of memory");
    video->width = wanted.width;
    video->height = wanted.height;
    video->pix_fmt = AV_PIX_FMT_YUV420P;
    video->time_base = AVRational{wanted.rateDenominator, wanted.rateNumerator};
    video->framerate = AVRational{wanted.rateNumerator, wanted.rateDenominator};
    video->sample_aspect_ratio = AVRational{1, 1};
    video->color_primaries = AVCOL_PRI_BT709;
    video->color_trc = AVCOL_TRC_BT709;
    video->colorspace = AVCOL_SPC_BT709;
    video->color_range = AVCOL_RANGE_MPEG;
    if (format->oformat->flags & AVFMT_GLOBALHEADER) video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary* options = nullptr;
    av_dict_set(&options, "preset", wanted.preset, 0);
    av_dict_set_int(&options, "crf", wanted.crf, 0);
    int opened = avcodec_open2(video, codec, &options);
    av_dict_free(&options);
    Check(opened, "opening the H.264 encoder");

    videoStream = avformat_new_stream(format, nullptr);
    if (videoStream == nullptr) Fail("out of memory");
    Check(avcodec_parameters_from_context(videoStream->codecpar, video), "describing the video");
    videoStream->time_base = video->time_base;
    videoStream->avg_frame_rate = video->framerate;

    scale =
        sws_getContext(wanted.width, wanted.height, AV_PIX_FMT_BGRA, wanted.width, wanted.height,
                       AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (scale == nullptr) Fail("no conversion to YUV 4:2:0");
    const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
    sws_setColorspaceDetails(scale, bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);
    picture = av_frame_alloc();
    if (picture == nullptr) Fail("out of memory");
    picture->format = video->pix_fmt;
    picture->width = wanted.width;
    picture->height = wanted.height;
    Check(av_frame_get_buffer(picture, 0), "making a picture");
}

void FfmpegWriter::State::CopyVideo(const MediaFormat& wanted, const AVCodecParameters* encoded) {
    videoStream = avformat_new_stream(format, nullptr);
    if (videoStream == nullptr) Fail("out of memory");
    Check(avcodec_parameters_copy(videoStream->codecpar, encoded), "describing the video");
    // The tag of the segments' container is no tag of this one.
    videoStream->codecpar->codec_tag = 0;
    frameTime = AVRational{wanted.rateDenominator, wanted.rateNumerator};
    videoStream->time_base = frameTime;
    videoStream->avg_frame_rate = AVRational{wanted.rateNumerator, wanted.rateDenominator};
    videoStream->r_frame_rate = videoStream->avg_frame_rate;
    copied = true;
}

void FfmpegWriter::State::OpenAudio() {
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
    if (codec == nullptr) Fail("this FFmpeg has no AAC encoder");
    audio = avcodec_alloc_context3(codec);
    if (audio == nullptr) Fail("out of memory");
    audio->sample_fmt = codec->sample_fmts != nullptr ? codec->sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
    audio->sample_rate = FrameClock::SampleRate;
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    Check(av_channel_layout_copy(&audio->ch_layout, &stereo), "describing the sound");
    audio->bit_rate = AudioBitRate;
    audio->time_base = AVRational{1, FrameClock::SampleRate};
    if (format->oformat->flags & AVFMT_GLOBALHEADER) audio->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    Check(avcodec_open2(audio, codec, nullptr), "opening the AAC encoder");

    audioStream = avformat_new_stream(format, nullptr);
    if (audioStream == nullptr) Fail("out of memory");
    Check(avcodec_parameters_from_context(audioStream->codecpar, audio), "describing the sound");
    audioStream->time_base = audio->time_base;

    Check(
        swr_alloc_set_opts2(&resample, &audio->ch_layout, audio->sample_fmt, FrameClock::SampleRate,
                            &stereo, AV_SAMPLE_FMT_FLT, FrameClock::SampleRate, 0, nullptr),
        "converting the sound");
    Check(swr_init(resample), "converting the sound");
    fifo = av_audio_fifo_alloc(audio->sample_fmt, 2, 4 * audio->frame_size);
    sound = av_frame_alloc();
    if (fifo == nullptr || sound == nullptr) Fail("out of memory");
    sound->format = audio->sample_fmt;
    sound->sample_rate = audio->sample_rate;
    sound->nb_samples = audio->frame_size;
    Check(av_channel_layout_copy(&sound->ch_layout, &stereo), "describing the sound");
    Check(av_frame_get_buffer(sound, 0), "making a sound frame");
}

void FfmpegWriter::State::OpenFile(const char* container, const MediaFormat& wanted) {
    Check(avio_open(&format->pb, file.PartPath().c_str(), AVIO_FLAG_WRITE), "opening it");
    if (!wanted.segmentTag.empty()) {
        av_dict_set(&format->metadata, "OMBREL_SEGMENT", wanted.segmentTag.c_str(), 0);
    }
    AVDictionary* options = nullptr;
    // The index goes to the front, so that the video starts playing at once.
    if (std::string(container) == "mp4") av_dict_set(&options, "movflags", "+faststart", 0);
    int written = avformat_write_header(format, &options);
    av_dict_free(&options);
    Check(written, "writing its header");
}

// Sends `frame` (null: the end) and writes every packet the encoder has ready.
void FfmpegWriter::State::Encode(AVCodecContext* codec, AVStream* stream, AVFrame* frame) {
    Check(avcodec_send_frame(codec, frame), "encoding");
    for (;;) {
        int received = avcodec_receive_packet(codec, packet);
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
        Check(received, "encoding");
        av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
        packet->stream_index = stream->index;
        Check(av_interleaved_write_frame(format, packet), "writing");
    }
}

void FfmpegWriter::State::EncodeAudio(int samples) {
    Check(av_frame_make_writable(sound), "making a sound frame");
    sound->nb_samples = samples;
    if (av_audio_fifo_read(fifo, reinterpret_cast<void**>(sound->data), samples) != samples) {
        Fail("lost sound on its way to the encoder");
    }
    sound->pts = audioPts;
    audioPts += samples;
    Encode(audio, audioStream, sound);
}

void FfmpegWriter::State::Start(const char* container, const MediaFormat& wanted) {
    // The encoders' reports of their settings and statistics are noise here.
    av_log_set_level(AV_LOG_WARNING);
    Check(avformat_alloc_output_context2(&format, nullptr, container, file.PartPath().c_str()),
          "choosing its format");
    packet = av_packet_alloc();
    if (packet == nullptr) Fail("out of memory");
    videoPts = wanted.firstFrame;
    withSound = wanted.segmentTag.empty();
}

FfmpegWriter::FfmpegWriter(const std::string& path, const char* container,
                           const MediaFormat& format)
    : state(new State(path, !format.segmentTag.empty())) {
    State& s = *state;
    s.Start(container, format);
    s.OpenVideo(format);
    if (s.withSound) s.OpenAudio();
    s.OpenFile(container, format);
}

FfmpegWriter::FfmpegWriter(const std::string& path, const char* container,
                           const MediaFormat& format, const AVCodecParameters* video)
    : state(new State(path, false)) {
    State& s = *state;
    s.Start(container, format);
    s.CopyVideo(format, video);
    s.OpenAudio();
    s.OpenFile(container, format);
}

FfmpegWriter::~FfmpegWriter() = default;

// The per-frame path: conversion into the picture made up front, encoding.
void FfmpegWriter::WriteVideo(const std::uint8_t* bgra) {
    State& s = *state;
    s.Check(av_frame_make_writable(s.picture), "making a picture");
    // OpenGL's rows run from the bottom up: start at the last, step back.
    const int stride = 4 * s.video->width;
    const std::uint8_t* top = bgra + static_cast<std::ptrdiff_t>(s.video->height - 1) * stride;
    const int strides[1] = {-stride};
    sws_scale(s.scale, &top, strides, 0, s.video->height, s.picture->data, s.picture->linesize);
    s.picture->pts = s.videoPts++;
    s.Encode(s.video, s.videoStream, s.picture);
}

void FfmpegWriter::WriteVideoPacket(AVPacket* packet) {
    State& s = *state;
    av_packet_rescale_ts(packet, s.frameTime, s.videoStream->time_base);
    packet->stream_index = s.videoStream->index;
    packet->pos = -1;
    s.Check(av_interleaved_write_frame(s.format, packet), "writing");
}

void FfmpegWriter::WriteAudio(const float* stereo, int samples) {
    State& s = *state;
    if (!s.withSound) return;
    if (samples > s.convertedCapacity) {
        if (s.converted != nullptr) av_freep(&s.converted[0]);
        av_freep(&s.converted);
        s.Check(av_samples_alloc_array_and_samples(&s.converted, nullptr, 2, samples,
                                                   s.audio->sample_fmt, 0),
                "converting the sound");
        s.convertedCapacity = samples;
    }
    const auto* in = reinterpret_cast<const std::uint8_t*>(stereo);
    int made = s.Check(swr_convert(s.resample, s.converted, samples, &in, samples),
                       "converting the sound");
    if (av_audio_fifo_write(s.fifo, reinterpret_cast<void**>(s.converted), made) != made) {
        s.Fail("out of memory");
    }
    while (av_audio_fifo_size(s.fifo) >= s.audio->frame_size) s.EncodeAudio(s.audio->frame_size);
}

void FfmpegWriter::Finish() {
    State& s = *state;
    if (s.withSound) {
        // The last sound frame may be short: the stream ends on the last sample.
        int rest = av_audio_fifo_size(s.fifo);
        if (rest > 0) s.EncodeAudio(rest);
    }
    if (!s.copied) s.Encode(s.video, s.videoStream, nullptr);
    if (s.withSound) s.Encode(s.audio, s.audioStream, nullptr);
    s.Check(av_write_trailer(s.format), "finishing it");
    s.Check(avio_closep(&s.format->pb), "closing it");
    s.file.Commit();
}
