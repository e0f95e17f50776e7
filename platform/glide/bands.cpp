// bands.cpp - recording a frame's calls into bands and drawing them. The
// other threads draw while the caller records: each band keeps its pieces in
// a list that only grows until the frame is done, and a thread that finds a
// band with pieces it has not drawn claims the band, draws them in order and
// lets it go. So a frame's triangles are being drawn while the next ones are
// set up, and at the end the caller draws beside the others until none is
// left. Threads with nothing to draw sleep until a triangle or a clear is
// recorded.
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

// Rows a band: few enough bands for a triangle to be seldom cut into pieces
// (each piece sets up its loops anew, once a pass: the show's small
// triangles feel that), enough for two threads to share a frame's uneven work.
constexpr int BAND_ROWS = 64;
constexpr int BANDS = (SCREEN_HEIGHT * MAX_RESOLUTION + BAND_ROWS - 1) / BAND_ROWS;

// Beyond these a recording is drawn at once, so that a program that never
// swaps does not record without end.
constexpr size_t MAX_SPANS = 1 << 20;
constexpr size_t MAX_RASTERS = 1 << 16;
constexpr size_t MAX_CLEARS = 256;
constexpr size_t MAX_ROWS = SCREEN_HEIGHT * MAX_RESOLUTION;
// Past MAX_SPANS, the triangle being recorded still adds its spans: up to
// seven times a screen's rows (a far triangle, cut into a fan).
constexpr size_t SPAN_ROOM = MAX_SPANS + 8 * MAX_ROWS;
// A piece has one span at least, or is a clear's share of a band.
constexpr size_t MAX_PIECES = SPAN_ROOM + MAX_CLEARS * BANDS;

constexpr uint32_t NONE = UINT32_MAX;

struct Clear {
    void *colour;
    uint16_t *depth;
    uint16_t depth_value;
    ClipRect clip;
    int stride;
    size_t pixel_bytes;     // 2 (RGB565) or 4 (0x00RRGGBB)
    uint32_t cells[4][16];  // each row of the dither four times over, pixels in the buffer's format
};

// A band's share of one triangle's spans, or a clear (no spans).
struct Piece {
    uint32_t item;  // the raster, or the clear
    uint32_t first, count;
    uint32_t next;  // the band's next piece: written once, by the recording thread
};

// The links between pieces are read by the drawing threads while the
// recording thread writes them; everything a link leads to is written first.
// (The compilers' atomic built-ins: not every C++ library we build with has
// std::atomic_ref, and pieces with atomic members could not live in a vector.)
uint32_t load_link(const uint32_t &link)
{
    return __atomic_load_n(&link, __ATOMIC_ACQUIRE);
}
void store_link(uint32_t &link, uint32_t piece)
{
    __atomic_store_n(&link, piece, __ATOMIC_RELEASE);
}

// One cache line a band: the threads claim and draw different bands.
struct alignas(64) Band {
    uint32_t head = NONE;   // its first piece (a link)
    uint32_t drawn = NONE;  // the last drawn, by the thread holding the claim (a link)
    std::atomic<bool> claimed{false};
};

struct Recording {
    // Room for everything up to the limits is reserved (pages are taken as
    // they are written), so that nothing moves while threads read it.
    std::vector<Raster> rasters;
    std::unique_ptr<Span[]> spans{new Span[SPAN_ROOM]};
    size_t span_count = 0;
    std::vector<Clear> clears;
    std::vector<Piece> pieces;
    uint32_t tails[BANDS];  // each band's last piece, for the recording thread alone

    // What the drawing threads read, each on cache lines of its own: the
    // sizes above change with every triangle, and a line the recording
    // thread writes that often would be taken from the readers each time.
    struct alignas(64) Items {
        const Raster *rasters;
        const Span *spans;
        const Clear *clears;
        const Piece *pieces;
    } items;
    Band bands[BANDS];
    alignas(64) uint32_t bands_used = 0;  // bands that have had pieces, from the top (published as a link is)

    Recording()
    {
        rasters.reserve(MAX_RASTERS);
        clears.reserve(MAX_CLEARS);
        pieces.reserve(MAX_PIECES);
        items = {rasters.data(), spans.get(), clears.data(), pieces.data()};
        std::fill(std::begin(tails), std::end(tails), NONE);
    }
};
// Made with the first recording, given back when the library stops.
std::unique_ptr<Recording> recording;

void clear_band(const Clear &c, int band)
{
    const int y0 = std::max(c.clip.miny, band * BAND_ROWS),
              y1 = std::min(c.clip.maxy, (band + 1) * BAND_ROWS);
    const size_t width = (size_t)(c.clip.maxx - c.clip.minx), bytes = c.pixel_bytes;
    for (int y = y0; y < y1; ++y) {
        const size_t at = (size_t)y * c.stride + c.clip.minx;
        // Twelve pixels at a time, the dither's columns from the clip's first.
        char *row = static_cast<char *>(c.colour) + at * bytes;
        const char *cells = reinterpret_cast<const char *>(c.cells[y & 3]) + (c.clip.minx & 3) * bytes;
        size_t x = 0;
        for (; x + 12 <= width; x += 12)
            std::memcpy(row + x * bytes, cells, 12 * bytes);
        std::memcpy(row + x * bytes, cells, (width - x) * bytes);
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

// The band's first piece not drawn yet, or NONE. Without the claim, drawn
// may be stale: then the answer only says whether a claim is worth trying.
// (drawn is a link too: the thread that follows it to a piece must see the
// piece written.)
uint32_t next_to_draw(const Recording::Items &items, const Band &b)
{
    const uint32_t drawn = load_link(b.drawn);
    return load_link(drawn == NONE ? b.head : items.pieces[drawn].next);
}

// The longest run of triangles a band draws in two passes: its ids, and
// those of the runs after it, fit in the marks until they start again.
constexpr int MAX_RUN = 4096;

// What a drawing thread needs for its runs: the owners of the band's pixels
// and the next id. Ids only grow, so marks left by an earlier run belong to
// no triangle of a later one; when they would overflow, the marks are wiped.
struct RunRoom {
    std::vector<uint16_t> owners;
    uint32_t next_id = 1;
    uint32_t pieces[MAX_RUN];
    bool passed[MAX_RUN];  // whether a piece's depth pass left it any pixel
};
thread_local RunRoom run_room;

// Draws triangle piece n of a band, and with it the run of pieces after it,
// as far as they are recorded, when they are triangles whose loops have the
// two passes, into the same buffer. Depth goes first, for all of them; then
// each pixel is shaded by the last triangle to pass the depth test there,
// and by no other. Returns the last piece drawn.
uint32_t draw_run(const Recording::Items &items, uint32_t n, int band)
{
    RunRoom &room = run_room;
    auto raster = [&](uint32_t piece) -> const Raster & { return items.rasters[items.pieces[piece].item]; };
    int count = 0;
    for (uint32_t next = n; count < MAX_RUN && next != NONE && items.pieces[next].count &&
                            raster(next).loops.shade && raster(next).colour == raster(n).colour;
         next = load_link(items.pieces[next].next))
        room.pieces[count++] = next;
    if (count <= 1) {
        const Piece &p = items.pieces[n];
        raster(n).loops.draw(raster(n), items.spans + p.first, (int)p.count);
        return n;
    }
    const size_t size = (size_t)BAND_ROWS * raster(n).stride;
    if (room.owners.size() != size || room.next_id + count > UINT16_MAX) {
        room.owners.assign(size, 0);
        room.next_id = 1;
    }
    const Owners owners = {room.owners.data(), band * BAND_ROWS};
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < count; ++i) {
            const Piece &p = items.pieces[room.pieces[i]];
            const Raster &ra = raster(room.pieces[i]);
            if (pass == 0 || room.passed[i])  // a piece hidden all along has nothing to shade
                room.passed[i] = (pass ? ra.loops.shade : ra.loops.resolve)(
                    ra, items.spans + p.first, (int)p.count, &owners, (uint16_t)(room.next_id + i));
        }
    room.next_id += count;
    return room.pieces[count - 1];
}

// Draws whatever has been recorded and not drawn, band by band; whether
// anything was.
bool draw_recorded()
{
    Recording &r = *recording;
    const Recording::Items items = r.items;
    bool drew = false;
    const int used = (int)load_link(r.bands_used);
    for (int i = 0; i < used; ++i) {
        Band &b = r.bands[i];
        if (next_to_draw(items, b) == NONE || b.claimed.load(std::memory_order_relaxed) ||
            b.claimed.exchange(true, std::memory_order_acquire))
            continue;
        for (uint32_t n; (n = next_to_draw(items, b)) != NONE;) {
            const Piece &p = items.pieces[n];
            if (p.count == 0)
                clear_band(items.clears[p.item], i);
            else
                n = draw_run(items, n, i);
            store_link(b.drawn, n);
            drew = true;
        }
        b.claimed.store(false, std::memory_order_release);
    }
    return drew;
}

// Forgets a frame that has been drawn.
void reset_recording()
{
    Recording &r = *recording;
    r.rasters.clear();
    r.span_count = 0;
    r.clears.clear();
    r.pieces.clear();
    r.bands_used = 0;
    for (Band &b : r.bands)
        b.head = b.drawn = NONE;
    std::fill(std::begin(r.tails), std::end(r.tails), NONE);
}

// A sleeping thread is woken when this many triangles and clears wait: one
// at a time, waking it would cost more than the drawing it brings.
constexpr uint64_t WAKE_BATCH = 32;

struct Pool {
    std::vector<std::thread> threads;
    std::mutex mutex;
    std::condition_variable wake, idle_changed;
    std::atomic<uint64_t> recorded{0};  // triangles and clears recorded, ever
    std::atomic<int> idle{0};           // threads asleep
    uint64_t finishes = 0;              // frames finished, ever
    bool finishing = false, stopping = false;

    // A program that ends without grGlideShutdown still ends the threads.
    ~Pool() { stop(); }

    void run()
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            // Read before looking: what is recorded meanwhile counts as new.
            const uint64_t seen = recorded.load(), finishes_seen = finishes;
            lock.unlock();
            draw_recorded();
            lock.lock();
            // A thread that has caught up sleeps until there is a batch to
            // draw, rather than chase the recording a triangle at a time.
            ++idle;
            if (finishing)
                idle_changed.notify_one();
            wake.wait(lock, [&] {
                return stopping || finishes != finishes_seen || recorded.load() - seen >= WAKE_BATCH;
            });
            --idle;
            if (stopping)
                return;
        }
    }

    void start(int count)
    {
        stopping = false;
        for (int i = 1; i < count; ++i)
            threads.emplace_back([this] { run(); });
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

    void recorded_more()
    {
        if ((recorded.fetch_add(1) + 1) % WAKE_BATCH == 0 && idle.load() > 0) {
            // Taken and let go: a thread that has looked at recorded and not
            // yet slept holds the lock, so the wake cannot fall in between.
            {
                std::lock_guard<std::mutex> lock(mutex);
            }
            wake.notify_all();
        }
    }

    // Sleeping threads wake to help with the rest, and the caller draws too.
    // When everything is drawn and every thread sleeps, the recording is
    // reset, under the lock: a thread woken now, which has not touched the
    // recording yet, finds the next frame's when it runs.
    void finish()
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            ++finishes;
        }
        wake.notify_all();
        while (draw_recorded()) {
        }
        std::unique_lock<std::mutex> lock(mutex);
        finishing = true;
        idle_changed.wait(lock, [&] { return idle == (int)threads.size(); });
        finishing = false;
        reset_recording();
    }
};
Pool pool;

// The recording, with room for one more triangle or clear (a full one is
// drawn first), and the threads that draw it, as they are configured now.
Recording &recording_to_add_to()
{
    if (recording && (recording->span_count >= MAX_SPANS || recording->rasters.size() >= MAX_RASTERS ||
                      recording->clears.size() >= MAX_CLEARS))
        bands_finish();
    if (!recording)
        recording = std::make_unique<Recording>();
    if ((int)pool.threads.size() + 1 != glide_config.threads) {
        pool.stop();
        pool.start(glide_config.threads);
    }
    return *recording;
}

// Adds a piece at the end of a band's list: a raster's spans, or a clear
// (no spans).
void add_piece(int band, uint32_t item, uint32_t first, uint32_t count)
{
    Recording &r = *recording;
    const uint32_t n = (uint32_t)r.pieces.size();
    r.pieces.push_back({item, first, count, NONE});
    if ((uint32_t)band >= r.bands_used)
        store_link(r.bands_used, (uint32_t)band + 1);
    uint32_t &tail = r.tails[band];
    store_link(tail == NONE ? r.bands[band].head : r.pieces[tail].next, n);
    tail = n;
}

}  // namespace

void bands_triangle(const Raster &ra, const Corners &corners)
{
    Recording &r = recording_to_add_to();
    Span *const spans = r.spans.get() + r.span_count;
    const int count = (int)(cover(glide.clip, corners, spans) - spans);
    if (count == 0)
        return;
    const uint32_t item = (uint32_t)r.rasters.size();
    r.rasters.push_back(ra);
    const uint32_t first = (uint32_t)r.span_count;
    r.span_count += count;
    for (int i = 0; i < count;) {
        const int band = spans[i].y / BAND_ROWS;
        int n = 1;
        while (i + n < count && spans[i + n].y / BAND_ROWS == band)
            ++n;
        add_piece(band, item, first + (uint32_t)i, (uint32_t)n);
        i += n;
    }
    pool.recorded_more();
}

void bands_clear(void *colour, uint32_t rgb, uint16_t *depth, uint16_t depth_value, const ClipRect &clip)
{
    if (clip.minx >= clip.maxx || clip.miny >= clip.maxy)
        return;  // no pixel: nothing to record, and a recording is one with pieces
    Clear c = {colour, depth, depth_value, clip, glide.width, true_colour() ? 4u : 2u, {}};
    const unsigned red = rgb >> 16 & 0xFF, green = rgb >> 8 & 0xFF, blue = rgb & 0xFF;
    for (int i = 0; i < 4; ++i)
        for (int x = 0; x < 16; ++x) {
            const int d = DITHER_PATTERN[i][x & 3];
            if (c.pixel_bytes == 4)
                put_pixel(c.cells[i] + x, d, red, green, blue);
            else
                put_pixel(reinterpret_cast<uint16_t *>(c.cells[i]) + x, d, red, green, blue);
        }
    Recording &r = recording_to_add_to();
    r.clears.push_back(c);
    for (int band = clip.miny / BAND_ROWS; band * BAND_ROWS < clip.maxy; ++band)
        add_piece(band, (uint32_t)(r.clears.size() - 1), 0, 0);
    pool.recorded_more();
}

void bands_finish()
{
    if (!recording || recording->pieces.empty())
        return;
    pool.finish();
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
    recording.reset();  // and gives back the memory
}
