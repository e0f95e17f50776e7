// scanout.cpp - a frame buffer row widened, filtered and gamma-corrected.
#include "scanout.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

Scanout make_scanout(bool card_filter, float gamma)
{
    Scanout s;
    s.filter = card_filter;
    s.gamma_identity = gamma == 1.0f;
    for (int v = 0; v < 256; ++v)
        s.gamma[v] = (uint8_t)std::lround(255.0 * std::pow(v / 255.0, 1.0 / (double)gamma));
    return s;
}

// Two steps of a 5- and a 6-bit channel once widened to 8 bits.
static const int THRESHOLD_RB = 17, THRESHOLD_G = 9;

static bool close_enough(uint32_t a, uint32_t b)
{
    int dr = std::abs((int)(a >> 16 & 0xFF) - (int)(b >> 16 & 0xFF));
    int dg = std::abs((int)(a >> 8 & 0xFF) - (int)(b >> 8 & 0xFF));
    int db = std::abs((int)(a & 0xFF) - (int)(b & 0xFF));
    return dr <= THRESHOLD_RB && dg <= THRESHOLD_G && db <= THRESHOLD_RB;
}

// A pixel of 8-bit channels: 0x00RRGGBB, or bytes R, G, B and an opaque A.
static uint32_t pixel(uint32_t r, uint32_t g, uint32_t b, bool rgba)
{
    return rgba ? 0xFF000000u | b << 16 | g << 8 | r : r << 16 | g << 8 | b;
}

// One row of 0x00RRGGBB pixels through the card's filter.
static void card_filter_row(const uint32_t *in, int width, uint32_t *out)
{
    for (int x = 0; x < width; ++x) {
        const uint32_t centre = in[x];
        // Channels summed side by side: four 8-bit values fit in 10 bits.
        uint32_t sum = (centre & 0xFF) | (centre & 0xFF00) << 2 | (centre & 0xFF0000) << 4;
        for (int dx : {-1, 1, 2}) {
            uint32_t p =
                x + dx >= 0 && x + dx < width && close_enough(in[x + dx], centre) ? in[x + dx] : centre;
            sum += (p & 0xFF) | (p & 0xFF00) << 2 | (p & 0xFF0000) << 4;
        }
        sum += 2 | 2 << 10 | 2 << 20;  // rounds the quarter
        out[x] = (sum >> 22 & 0xFF) << 16 | (sum >> 12 & 0xFF) << 8 | (sum >> 2 & 0xFF);
    }
}

// 0x00RRGGBB pixels through the gamma table, into either order.
static void apply_gamma(const Scanout &s, const uint32_t *in, size_t pixels, uint32_t *out, bool rgba)
{
    for (size_t i = 0; i < pixels; ++i)
        out[i] = pixel(s.gamma[in[i] >> 16 & 0xFF], s.gamma[in[i] >> 8 & 0xFF], s.gamma[in[i] & 0xFF], rgba);
}

// RGB565 pixels p (one, or a vector of them) widened to 8 bits a channel,
// each channel's top bits repeated below it (31 -> 255), as the two 16-bit
// halves of the pixels of pixel().
template <class T> void widen(T p, bool rgba, T *low, T *high)
{
    const T r = p >> 11, g = p >> 5 & 63, b = p & 31;
    const T r8 = r << 3 | r >> 2, g8 = g << 2 | g >> 4, b8 = b << 3 | b >> 2;
    *low = g8 << 8 | (rgba ? r8 : b8);
    *high = rgba ? b8 | 0xFF00 : r8;
}

// Eight pixels at a time on 16-bit lanes (SSE2, WebAssembly's SIMD), the
// halves then interleaved into whole pixels.
typedef uint16_t Lanes16 __attribute__((vector_size(16)));

static void widen_row(const uint16_t *in, int width, uint32_t *out, bool rgba)
{
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        Lanes16 p, low, high;
        std::memcpy(&p, in + x, sizeof p);
        widen<Lanes16>(p, rgba, &low, &high);
        const Lanes16 first = __builtin_shufflevector(low, high, 0, 8, 1, 9, 2, 10, 3, 11);
        const Lanes16 second = __builtin_shufflevector(low, high, 4, 12, 5, 13, 6, 14, 7, 15);
        std::memcpy(out + x, &first, sizeof first);
        std::memcpy(out + x + 4, &second, sizeof second);
    }
    for (; x < width; ++x) {
        uint16_t low, high;
        widen<uint16_t>(in[x], rgba, &low, &high);
        out[x] = (uint32_t)high << 16 | low;
    }
}

void scan_out(const Scanout &s, const uint16_t *rgb565, int width, int height, uint32_t *out,
              lumivex::PixelOrder order)
{
    // With neither filter nor gamma, each row is widened straight into the
    // order asked; otherwise through a row of 0x00RRGGBB.
    const bool rgba = order == lumivex::PixelOrder::RGBA;
    const bool direct = !s.filter && s.gamma_identity;
    static std::vector<uint32_t> row;
    row.resize(direct ? 0 : (size_t)width);
    for (int y = 0; y < height; ++y) {
        const uint16_t *in = rgb565 + (size_t)y * width;
        uint32_t *line = out + (size_t)y * width;
        if (direct) {
            widen_row(in, width, line, rgba);
            continue;
        }
        widen_row(in, width, row.data(), false);
        const uint32_t *shown = row.data();
        if (s.filter) {
            card_filter_row(row.data(), width, line);
            shown = line;
        }
        apply_gamma(s, shown, (size_t)width, line, rgba);
    }
}

void scan_out(const Scanout &s, const uint32_t *drawn, int width, int height, uint32_t *out,
              lumivex::PixelOrder order)
{
    apply_gamma(s, drawn, (size_t)width * height, out, order == lumivex::PixelOrder::RGBA);
}
