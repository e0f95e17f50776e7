// scanout.cpp - a frame buffer row widened, filtered and gamma-corrected.
#include "scanout.h"

#include <cmath>
#include <cstdlib>
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

static void apply_gamma(const Scanout &s, const uint32_t *in, size_t pixels, uint32_t *out)
{
    for (size_t i = 0; i < pixels; ++i) {
        const uint32_t p = in[i];
        out[i] = (uint32_t)s.gamma[p >> 16 & 0xFF] << 16 | (uint32_t)s.gamma[p >> 8 & 0xFF] << 8 |
                 s.gamma[p & 0xFF];
    }
}

void scan_out(const Scanout &s, const uint16_t *rgb565, int width, int height, uint32_t *xrgb)
{
    static std::vector<uint32_t> row;
    row.resize(s.filter ? (size_t)width : 0);
    for (int y = 0; y < height; ++y) {
        const uint16_t *in = rgb565 + (size_t)y * width;
        uint32_t *out = xrgb + (size_t)y * width;
        uint32_t *widened = s.filter ? row.data() : out;
        for (int x = 0; x < width; ++x) {
            unsigned p = in[x], r = p >> 11, g = p >> 5 & 63, b = p & 31;
            widened[x] = (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
        }
        if (s.filter)
            card_filter_row(widened, width, out);
        if (!s.gamma_identity)
            apply_gamma(s, out, (size_t)width, out);
    }
}

void scan_out(const Scanout &s, const uint32_t *drawn, int width, int height, uint32_t *xrgb)
{
    apply_gamma(s, drawn, (size_t)width * height, xrgb);
}
