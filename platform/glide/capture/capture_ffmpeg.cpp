// capture_ffmpeg.cpp - the encoder module (capture_module.h; what a capture
// gives: capture.h). FFmpeg's libraries do the work:
// libswscale converts the colours, libavcodec encodes, libavformat writes the
// file. The show's thread only copies each frame into a ring of slots; the
// encoder thread converts, encodes and writes it.
#include "capture_module.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libswscale/swscale.h>
}

#include <strings.h>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

// What each extension gives. FFV1's slices let both cores share a frame.
// The .mp4's quality leaves no difference the eye can find on the show's
// pictures; on their dither x264's slower presets only cost time (ultrafast
// even makes the smaller file).
//
// Both files are written in pieces of half a second of frames, each handed to
// the system as soon as it is complete (flush_packets), so that whatever ends
// the process, the file plays up to a second before. The .mkv's clusters are
// cut by time. The .mp4 is fragmented by duration, not at keyframes, which
// are seconds apart: its index comes first (empty_moov) and each fragment
// carries its own, so a player starts before the download ends.
struct Kind {
    const char *extension, *muxer, *encoder;
    AVPixelFormat pixels;
    const char *encoder_options, *muxer_options;
};
const Kind KINDS[] = {
    {".mkv", "matroska", "ffv1", AV_PIX_FMT_BGR0, "level=3:slices=4:slicecrc=1",
     "cluster_time_limit=500:flush_packets=1"},
    {".mp4", "mp4", "libx264", AV_PIX_FMT_YUV420P, "preset=ultrafast:crf=16",
     "movflags=+empty_moov+default_base_moof:frag_duration=500000:flush_packets=1"},
};

const int FRAMES_PER_SECOND = 30;
// Frames the show may run ahead of the encoder before a swap waits for it.
const int SLOTS = 8;

struct Capture : CaptureSink {
    std::string path;
    int width = 0, height = 0;
    AVFormatContext *file = nullptr;
    AVCodecContext *encoder = nullptr;
    SwsContext *convert = nullptr;
    AVFrame *picture = nullptr;
    AVPacket *packet = nullptr;
    int64_t pts = 0;
    bool failed = false;  // the encoder thread's alone until it is joined

    std::mutex lock;
    std::condition_variable changed;
    std::vector<uint32_t> slots[SLOTS];  // frame n waits in slot n % SLOTS
    int64_t added = 0, encoded = 0;
    bool ending = false;
    std::thread worker;

    void frame(const uint32_t *xrgb) override;
    bool finish() override;
    ~Capture() override;
};

void say(const std::string &text)
{
    std::fprintf(stderr, "lumivex glide: LUMIVEX_CAPTURE: %s\n", text.c_str());
}

void fail(Capture &c, const char *what, int error)
{
    char reason[AV_ERROR_MAX_STRING_SIZE];
    av_strerror(error, reason, sizeof reason);
    if (!c.failed)
        say(std::string(what) + " " + c.path + ": " + reason);
    c.failed = true;
}

const Kind *kind_of(const char *path)
{
    size_t n = std::strlen(path);
    for (const Kind &k : KINDS) {
        size_t e = std::strlen(k.extension);
        if (n > e && strcasecmp(path + n - e, k.extension) == 0)
            return &k;
    }
    return nullptr;
}

// The error of the file's last writes, which buffered output only shows later.
int write_error(Capture &c, int error)
{
    return error < 0 ? error : c.file->pb->error;
}

// Hands a frame (null: the end) to the encoder and writes what comes out.
bool encode(Capture &c, const AVFrame *frame)
{
    int error = avcodec_send_frame(c.encoder, frame);
    while (error >= 0) {
        error = avcodec_receive_packet(c.encoder, c.packet);
        if (error == AVERROR(EAGAIN) || error == AVERROR_EOF)
            return true;
        if (error < 0)
            break;
        av_packet_rescale_ts(c.packet, c.encoder->time_base, c.file->streams[0]->time_base);
        c.packet->stream_index = 0;
        error = write_error(c, av_interleaved_write_frame(c.file, c.packet));
    }
    fail(c, "cannot write", error);
    return false;
}

void encode_picture(Capture &c, const uint32_t *xrgb)
{
    int error = av_frame_make_writable(c.picture);
    if (error < 0)
        return fail(c, "cannot encode", error);
    const uint8_t *rows[] = {reinterpret_cast<const uint8_t *>(xrgb)};
    const int stride[] = {4 * c.width};
    sws_scale(c.convert, rows, stride, 0, c.height, c.picture->data, c.picture->linesize);
    c.picture->pts = c.pts++;
    encode(c, c.picture);
}

void encoder_thread(Capture &c)
{
    std::unique_lock<std::mutex> hold(c.lock);
    for (;;) {
        c.changed.wait(hold, [&] { return c.encoded < c.added || c.ending; });
        if (c.encoded == c.added)
            return;
        const uint32_t *frame = c.slots[c.encoded % SLOTS].data();
        hold.unlock();
        // After a failure frames are still taken, so that the show never waits.
        if (!c.failed)
            encode_picture(c, frame);
        hold.lock();
        ++c.encoded;
        c.changed.notify_all();
    }
}

// Opens the encoder and the file, and writes the file's header; false when
// any of it fails (reported).
bool open_capture(Capture &c, const Kind &kind)
{
    const AVCodec *codec = avcodec_find_encoder_by_name(kind.encoder);
    if (!codec) {
        say(std::string("this FFmpeg has no ") + kind.encoder + " encoder");
        return false;
    }
    int error = avformat_alloc_output_context2(&c.file, nullptr, kind.muxer, c.path.c_str());
    if (error < 0)
        return fail(c, "cannot make", error), false;
    c.encoder = avcodec_alloc_context3(codec);
    c.packet = av_packet_alloc();
    c.picture = av_frame_alloc();
    if (!c.encoder || !c.packet || !c.picture)
        return fail(c, "cannot make", AVERROR(ENOMEM)), false;

    c.encoder->width = c.width;
    c.encoder->height = c.height;
    c.encoder->pix_fmt = kind.pixels;
    c.encoder->time_base = AVRational{1, FRAMES_PER_SECOND};
    c.encoder->framerate = AVRational{FRAMES_PER_SECOND, 1};
    c.encoder->thread_count = 2;
    if (kind.pixels == AV_PIX_FMT_YUV420P) {
        // What libswscale's default conversion gives, said so in the file.
        c.encoder->colorspace = AVCOL_SPC_SMPTE170M;
        c.encoder->color_range = AVCOL_RANGE_MPEG;
    }
    if (c.file->oformat->flags & AVFMT_GLOBALHEADER)
        c.encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary *options = nullptr;
    av_dict_parse_string(&options, kind.encoder_options, "=", ":", 0);
    error = avcodec_open2(c.encoder, codec, &options);
    av_dict_free(&options);
    if (error < 0)
        return fail(c, "cannot encode", error), false;

    AVStream *stream = avformat_new_stream(c.file, nullptr);
    if (!stream)
        return fail(c, "cannot make", AVERROR(ENOMEM)), false;
    stream->time_base = c.encoder->time_base;
    avcodec_parameters_from_context(stream->codecpar, c.encoder);

    error = avio_open(&c.file->pb, c.path.c_str(), AVIO_FLAG_WRITE);
    if (error < 0)
        return fail(c, "cannot write", error), false;
    av_dict_parse_string(&options, kind.muxer_options, "=", ":", 0);
    error = avformat_write_header(c.file, &options);
    av_dict_free(&options);
    if (error < 0)
        return fail(c, "cannot write", error), false;

    c.picture->format = kind.pixels;
    c.picture->width = c.width;
    c.picture->height = c.height;
    error = av_frame_get_buffer(c.picture, 0);
    if (error < 0)
        return fail(c, "cannot make", error), false;
    c.convert =
        sws_getContext(c.width, c.height, AV_PIX_FMT_0RGB32, c.width, c.height, kind.pixels,
                       SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr, nullptr);
    if (!c.convert)
        return fail(c, "cannot make", AVERROR(ENOMEM)), false;
    return true;
}

}  // namespace

bool Capture::finish()
{
    if (worker.joinable()) {
        {
            std::lock_guard<std::mutex> hold(lock);
            ending = true;
        }
        changed.notify_all();
        worker.join();
        if (!failed && encode(*this, nullptr)) {
            int error = write_error(*this, av_write_trailer(file));
            if (error < 0)
                fail(*this, "cannot write", error);
        }
    }
    if (file && file->pb) {
        int error = avio_closep(&file->pb);
        if (error < 0)
            fail(*this, "cannot write", error);
    }
    return !failed;
}

Capture::~Capture()
{
    finish();
    avformat_free_context(file);
    avcodec_free_context(&encoder);
    sws_freeContext(convert);
    av_frame_free(&picture);
    av_packet_free(&packet);
}

void Capture::frame(const uint32_t *xrgb)
{
    std::unique_lock<std::mutex> hold(lock);
    changed.wait(hold, [&] { return added - encoded < SLOTS; });
    // The slot is this thread's until added counts it.
    uint32_t *slot = slots[added % SLOTS].data();
    hold.unlock();
    std::memcpy(slot, xrgb, sizeof *slot * (size_t)width * height);
    hold.lock();
    ++added;
    changed.notify_all();
}

CaptureSink *lumivex_capture_open(const char *path, int width, int height)
{
    const Kind *kind = kind_of(path);
    if (!kind) {
        say(std::string(path) + ": only .mkv (lossless FFV1) and .mp4 (H.264) can be made; no capture");
        return nullptr;
    }
    av_log_set_level(AV_LOG_QUIET);  // our one line says what went wrong
    Capture *c = new Capture;
    c->path = path;
    c->width = width;
    c->height = height;
    if (!open_capture(*c, *kind)) {
        delete c;
        return nullptr;
    }
    for (auto &slot : c->slots)
        slot.resize((size_t)width * height);
    c->worker = std::thread(encoder_thread, std::ref(*c));
    return c;
}
