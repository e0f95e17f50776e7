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

// Where each order puts red and blue, and what fills its fourth byte.
struct Layout {
    int red, blue;
    uint32_t opaque;
};

static Layout layout(lumivex::PixelOrder order)
{
    return order == lumivex::PixelOrder::RGBA ? Layout{0, 16, 0xFF000000u} : Layout{16, 0, 0};
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

// 0x00RRGGBB pixels through the gamma table into the layout's order.
static void apply_gamma(const Scanout &s, const uint32_t *in, size_t pixels, uint32_t *out, Layout to)
{
    for (size_t i = 0; i < pixels; ++i) {
        const uint32_t p = in[i];
        out[i] = (uint32_t)s.gamma[p >> 16 & 0xFF] << to.red | (uint32_t)s.gamma[p >> 8 & 0xFF] << 8 |
                 (uint32_t)s.gamma[p & 0xFF] << to.blue | to.opaque;
    }
}

// RGB565 pixels p (one, or a vector of them) widened to 8 bits a channel,
// each channel's top bits repeated below it (31 -> 255), as the two 16-bit
// halves of the widened pixels: green over the channel of the lowest byte,
// and the channel of the third byte under the fourth byte's fill.
template <class T> void widen(T p, bool red_lowest, T fill, T *low, T *high)
{
    const T r = p >> 11, g = p >> 5 & 63, b = p & 31;
    const T r8 = r << 3 | r >> 2, g8 = g << 2 | g >> 4, b8 = b << 3 | b >> 2;
    *low = g8 << 8 | (red_lowest ? r8 : b8);
    *high = (red_lowest ? b8 : r8) | fill;
}

// Eight pixels at a time on 16-bit lanes (SSE2, WebAssembly's SIMD), the
// halves then interleaved into whole pixels.
typedef uint16_t Lanes16 __attribute__((vector_size(16)));

static void widen_row(const uint16_t *in, int width, uint32_t *out, Layout to)
{
    const bool red_lowest = to.red == 0;
    const uint16_t fill = (uint16_t)(to.opaque >> 16);
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        Lanes16 p, low, high;
        std::memcpy(&p, in + x, sizeof p);
        widen<Lanes16>(p, red_lowest, Lanes16{} + fill, &low, &high);
        const Lanes16 first = __builtin_shufflevector(low, high, 0, 8, 1, 9, 2, 10, 3, 11);
        const Lanes16 second = __builtin_shufflevector(low, high, 4, 12, 5, 13, 6, 14, 7, 15);
        std::memcpy(out + x, &first, sizeof first);
        std::memcpy(out + x + 4, &second, sizeof second);
    }
    for (; x < width; ++x) {
        uint16_t low, high;
        widen<uint16_t>(in[x], red_lowest, fill, &low, &high);
        out[x] = (uint32_t)high << 16 | low;
    }
}

void scan_out(const Scanout &s, const uint16_t *rgb565, int width, int height, uint32_t *out,
              lumivex::PixelOrder order)
{
    // With neither filter nor gamma, each row is widened straight into the
    // order asked; otherwise through a row of 0x00RRGGBB.
    const Layout to = layout(order), xrgb = layout(lumivex::PixelOrder::XRGB);
    const bool direct = !s.filter && s.gamma_identity;
    static std::vector<uint32_t> row;
    row.resize(direct ? 0 : (size_t)width);
    for (int y = 0; y < height; ++y) {
        const uint16_t *in = rgb565 + (size_t)y * width;
        uint32_t *line = out + (size_t)y * width;
        if (direct) {
            widen_row(in, width, line, to);
            continue;
        }
        widen_row(in, width, row.data(), xrgb);
        const uint32_t *shown = row.data();
        if (s.filter) {
            card_filter_row(row.data(), width, line);
            shown = line;
        }
        apply_gamma(s, shown, (size_t)width, line, to);
    }
}

void scan_out(const Scanout &s, const uint32_t *drawn, int width, int height, uint32_t *out,
              lumivex::PixelOrder order)
{
    apply_gamma(s, drawn, (size_t)width * height, out, layout(order));
}
