// bands.cpp - see bands.h. The threads sleep on a condition variable between
// frames; a frame's bands are handed out one at a time from a counter, so a
// thread that finishes early takes the next band and none waits for a slow
// one until the last band is out.
#include "bands.h"

#include "dither.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Rows a band: small enough for two threads to share a frame's uneven work,
// large enough that a triangle is seldom cut into many pieces.
constexpr int BAND_ROWS = 16;
constexpr int BANDS = (SCREEN_HEIGHT * MAX_RESOLUTION + BAND_ROWS - 1) / BAND_ROWS;

// Beyond these a recording is drawn at once, so that a program that never
// swaps does not record without end.
constexpr size_t MAX_SPANS = 1 << 20;
constexpr size_t MAX_RASTERS = 1 << 16;
constexpr size_t MAX_ROWS = SCREEN_HEIGHT * MAX_RESOLUTION;
// Past MAX_SPANS, the triangle being recorded still adds its spans: up to
// seven times a screen's rows (a far triangle, cut into a fan).
constexpr size_t SPAN_ROOM = MAX_SPANS + 8 * MAX_ROWS;

struct Clear {
    void *colour;
    uint16_t *depth;
    uint16_t depth_value;
    ClipRect clip;
    int stride;
    bool true_colour;  // the pixels are 0x00RRGGBB words, all xrgb; else RGB565, from rows
    uint32_t xrgb;
    uint32_t rows;  // the DitherRows
};

// A clear's colour through the dither: its four rows, a screen wide. A show
// clears to the same colour frame after frame, so they outlive the frame.
struct DitherRows {
    uint32_t rgb;
    int width;
    uint16_t rows[4][SCREEN_WIDTH * MAX_RESOLUTION];
};

// A band's share of one triangle's spans, or a clear (draw null).
struct Piece {
    SpanFunction draw;
    uint32_t item;  // the raster, or the clear
    uint32_t first, count;
};

struct Recording {
    std::vector<Raster> rasters;
    std::unique_ptr<Span[]> spans{new Span[SPAN_ROOM]};  // pages are taken as they are written
    size_t span_count = 0;
    std::vector<Clear> clears;
    std::vector<DitherRows> dither_rows;  // the last frame's last, and this frame's
    std::vector<Piece> pieces[BANDS];
    bool empty = true;

    // Room for a busy frame from the start, so that the heap does not creep
    // up frame by frame while the show first meets its busiest scenes.
    Recording()
    {
        rasters.reserve(4096);
        clears.reserve(16);
        dither_rows.reserve(4);
        for (auto &p : pieces)
            p.reserve(1024);
    }
};
Recording recording;

// The dither rows of rgb at the device's width, made if need be.
uint32_t dither_rows(uint32_t rgb)
{
    std::vector<DitherRows> &all = recording.dither_rows;
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].rgb == rgb && all[i].width == glide.width)
            return (uint32_t)i;
    DitherRows &d = all.emplace_back();
    d.rgb = rgb;
    d.width = glide.width;
    const unsigned red = rgb >> 16 & 0xFF, green = rgb >> 8 & 0xFF, blue = rgb & 0xFF;
    for (int i = 0; i < 4; ++i)
        for (int x = 0; x < d.width; ++x)
            put_pixel(&d.rows[i][x], DITHER_PATTERN[i][x & 3], red, green, blue);
    return (uint32_t)(all.size() - 1);
}

// Rows of other colours are let go when a frame's clears are done.
void keep_last_dither_rows()
{
    std::vector<DitherRows> &all = recording.dither_rows;
    if (all.size() > 1)
        all.erase(all.begin(), all.end() - 1);
}

void clear_band(const Clear &c, int band)
{
    const int y0 = std::max(c.clip.miny, band * BAND_ROWS),
              y1 = std::min(c.clip.maxy, (band + 1) * BAND_ROWS);
    const size_t width = (size_t)(c.clip.maxx - c.clip.minx);
    for (int y = y0; y < y1; ++y) {
        const size_t at = (size_t)y * c.stride + c.clip.minx;
        if (c.true_colour) {
            uint32_t *row = static_cast<uint32_t *>(c.colour) + at;
            std::fill(row, row + width, c.xrgb);
        } else {
            std::memcpy(static_cast<uint16_t *>(c.colour) + at,
                        recording.dither_rows[c.rows].rows[y & 3] + c.clip.minx, width * sizeof(uint16_t));
        }
        if (!c.depth)
            continue;
        // Both bytes alike, as in the usual clear to the farthest (0xFFFF):
        // the C library's fill is the faster.
        if ((c.depth_value >> 8) == (c.depth_value & 0xFF))
            std::memset(c.depth + at, c.depth_value & 0xFF, width * sizeof(uint16_t));
        else
            std::fill(c.depth + at, c.depth + at + width, c.depth_value);
    }
}

void draw_band(int band)
{
    const Recording &r = recording;
    for (const Piece &p : r.pieces[band]) {
        if (p.draw)
            p.draw(r.rasters[p.item], r.spans.get() + p.first, (int)p.count);
        else
            clear_band(r.clears[p.item], band);
    }
}

struct Pool {
    std::vector<std::thread> threads;
    std::mutex mutex;
    std::condition_variable wake, done;
    uint64_t frame = 0;  // counts the frames handed out
    int busy = 0;        // threads still working on the present frame
    bool stopping = false;
    std::atomic<int> next_band{0};

    // A program that ends without grGlideShutdown still ends the threads.
    ~Pool() { stop(); }

    void draw_bands()
    {
        for (int band; (band = next_band.fetch_add(1, std::memory_order_relaxed)) < BANDS;)
            draw_band(band);
    }

    // seen: the frame handed out last before the thread started.
    void run(uint64_t seen)
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            wake.wait(lock, [&] { return stopping || frame != seen; });
            if (stopping)
                return;
            seen = frame;
            lock.unlock();
            draw_bands();
            lock.lock();
            if (--busy == 0)
                done.notify_one();
        }
    }

    void start(int count)
    {
        stopping = false;
        for (int i = 1; i < count; ++i)
            threads.emplace_back([this, seen = frame] { run(seen); });
    }

    void stop()
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            stopping = true;
        }
        wake.notify_all();
        for (std::thread &t : threads)
            t.join();
        threads.clear();
    }

    // The caller draws too; it returns when every thread has left the frame.
    void draw_frame()
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            next_band.store(0, std::memory_order_relaxed);
            busy = (int)threads.size();
            ++frame;
        }
        wake.notify_all();
        draw_bands();
        std::unique_lock<std::mutex> lock(mutex);
        done.wait(lock, [&] { return busy == 0; });
    }
};
Pool pool;

bool at_once()
{
    return bands_threads() == 1;
}

void finish_if_full()
{
    if (recording.span_count >= MAX_SPANS || recording.rasters.size() >= MAX_RASTERS)
        bands_finish();
}

}  // namespace

int bands_threads()
{
    return glide_config.threads;
}

const Raster *bands_raster(const Raster &ra)
{
    if (at_once())
        return &ra;
    finish_if_full();
    recording.rasters.push_back(ra);
    return &recording.rasters.back();
}

Span *bands_span_room()
{
    static Span drawn_at_once[MAX_ROWS];
    return at_once() ? drawn_at_once : recording.spans.get() + recording.span_count;
}

void bands_spans(const Raster *raster, SpanFunction draw, const Span *spans, int count)
{
    if (at_once()) {
        draw(*raster, spans, count);
        return;
    }
    Recording &r = recording;
    const uint32_t item = (uint32_t)(raster - r.rasters.data());
    const uint32_t first = (uint32_t)r.span_count;
    r.span_count += count;
    for (int i = 0; i < count;) {
        const int band = spans[i].y / BAND_ROWS;
        int n = 1;
        while (i + n < count && spans[i + n].y / BAND_ROWS == band)
            ++n;
        r.pieces[band].push_back({draw, item, first + (uint32_t)i, (uint32_t)n});
        i += n;
    }
    r.empty = false;
}

void bands_clear(void *colour, uint32_t rgb, uint16_t *depth, uint16_t depth_value, const ClipRect &clip)
{
    finish_if_full();
    Recording &r = recording;
    Clear &c = r.clears.emplace_back();
    c.colour = colour;
    c.depth = depth;
    c.depth_value = depth_value;
    c.clip = clip;
    c.stride = glide.width;
    c.true_colour = glide.true_colour;
    c.xrgb = rgb;
    c.rows = c.true_colour ? 0 : dither_rows(rgb);
    if (at_once()) {
        for (int band = clip.miny / BAND_ROWS; band * BAND_ROWS < clip.maxy; ++band)
            clear_band(c, band);
        r.clears.pop_back();
        keep_last_dither_rows();
        return;
    }
    const uint32_t item = (uint32_t)(r.clears.size() - 1);
    for (int band = clip.miny / BAND_ROWS; band * BAND_ROWS < clip.maxy; ++band)
        r.pieces[band].push_back({nullptr, item, 0, 0});
    r.empty = false;
}

void bands_finish()
{
    Recording &r = recording;
    if (r.empty)
        return;
    const int threads = bands_threads();
    if ((int)pool.threads.size() + 1 != threads) {
        pool.stop();
        pool.start(threads);
    }
    if (threads == 1) {
        for (int band = 0; band < BANDS; ++band)
            draw_band(band);
    } else {
        pool.draw_frame();
    }
    r.rasters.clear();
    r.span_count = 0;
    r.clears.clear();
    keep_last_dither_rows();
    for (auto &p : r.pieces)
        p.clear();
    r.empty = true;
}

void bands_call_done()
{
    if (glide.render_buffer == GR_BUFFER_FRONTBUFFER || glide.colour_buffers == 1)
        bands_finish();
}

void bands_stop()
{
    bands_finish();
    pool.stop();
    recording = Recording();  // and gives back the memory
}
