// ncc.cpp - the YIQ_422 encoder.
//
// An NCC texture can show only the 256 colours y[Y] + i[I] + q[Q] of its
// table (16 grey levels plus 4 and 4 signed RGB offsets), so the table is
// fitted to the picture:
//  1. A principled start: the texels in the broadcast YIQ space; the 16 Y
//     levels are the means of 16 equally populated slices of the texels'
//     luma, the 4 I and 4 Q levels likewise of their I and Q, turned into RGB
//     offsets with the YIQ-to-RGB matrix.
//  2. Then alternate, a fixed number of rounds, as k-means does: give every
//     texel the table colour nearest to it (all 256 are tried, clamping as
//     the texture unit does), then refit each Y level to the mean grey and
//     each I and Q entry to the mean RGB offset that its texels leave
//     unexplained by the other two parts. Each step lowers the squared error
//     of the unclamped sum.
// All levels of the chain are fitted together, as they share one table.
#include "texgen.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int ROUNDS = 8;

struct Table {
    double y[16];
    double i[4][3], q[4][3];
};

double clamp_to(double v, double lo, double hi)
{
    return v < lo ? lo : v > hi ? hi : v;
}

// Means of `groups` equally populated slices of the sorted values.
void slice_means(std::vector<double> values, int groups, double *out)
{
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    for (int g = 0; g < groups; ++g) {
        size_t lo = n * size_t(g) / size_t(groups), hi = n * size_t(g + 1) / size_t(groups);
        double sum = 0;
        for (size_t k = lo; k < hi; ++k)
            sum += values[k];
        out[g] = hi > lo ? sum / double(hi - lo) : (g ? out[g - 1] : 0.0);
    }
}

Table start_table(const std::vector<Rgb> &texels)
{
    std::vector<double> luma, in_phase, quadrature;
    for (const Rgb &c : texels) {
        luma.push_back(0.299 * c.r + 0.587 * c.g + 0.114 * c.b);
        in_phase.push_back(0.596 * c.r - 0.274 * c.g - 0.322 * c.b);
        quadrature.push_back(0.211 * c.r - 0.523 * c.g + 0.312 * c.b);
    }
    Table t;
    double iv[4], qv[4];
    slice_means(luma, 16, t.y);
    slice_means(in_phase, 4, iv);
    slice_means(quadrature, 4, qv);
    const double I_RGB[3] = {0.956, -0.272, -1.106}, Q_RGB[3] = {0.621, -0.647, 1.703};
    for (int k = 0; k < 4; ++k)
        for (int c = 0; c < 3; ++c) {
            t.i[k][c] = iv[k] * I_RGB[c];
            t.q[k][c] = qv[k] * Q_RGB[c];
        }
    return t;
}

// The table as the file stores it: whole numbers in the accelerator's ranges.
GuNccTable rounded(const Table &t)
{
    GuNccTable n{};
    for (int k = 0; k < 16; ++k)
        n.yRGB[k] = FxU8(std::floor(clamp_to(t.y[k], 0, 255) + 0.5));
    for (int k = 0; k < 4; ++k)
        for (int c = 0; c < 3; ++c) {
            n.iRGB[k][c] = FxI16(std::floor(clamp_to(t.i[k][c], -256, 255) + 0.5));
            n.qRGB[k][c] = FxI16(std::floor(clamp_to(t.q[k][c], -256, 255) + 0.5));
        }
    return n;
}

// The nearest of the table's 256 colours, as the texture unit decodes them.
uint8_t nearest(const GuNccTable &n, const Rgb &c)
{
    double best = 1e300;
    int best_code = 0;
    for (int code = 0; code < 256; ++code) {
        int y = n.yRGB[code >> 4];
        const FxI16 *i = n.iRGB[(code >> 2) & 3], *q = n.qRGB[code & 3];
        double dr = clamp_to(y + i[0] + q[0], 0, 255) - c.r;
        double dg = clamp_to(y + i[1] + q[1], 0, 255) - c.g;
        double db = clamp_to(y + i[2] + q[2], 0, 255) - c.b;
        double e = dr * dr + dg * dg + db * db;
        if (e < best)
            best = e, best_code = code;
    }
    return uint8_t(best_code);
}

void refit(Table &t, const std::vector<Rgb> &texels, const std::vector<uint8_t> &codes)
{
    double ysum[16] = {}, ycount[16] = {};
    for (size_t k = 0; k < texels.size(); ++k) {
        int Y = codes[k] >> 4, I = (codes[k] >> 2) & 3, Q = codes[k] & 3;
        const Rgb &c = texels[k];
        ysum[Y] +=
            (c.r - t.i[I][0] - t.q[Q][0] + c.g - t.i[I][1] - t.q[Q][1] + c.b - t.i[I][2] - t.q[Q][2]) / 3.0;
        ycount[Y] += 1;
    }
    for (int Y = 0; Y < 16; ++Y)
        if (ycount[Y] > 0)
            t.y[Y] = ysum[Y] / ycount[Y];

    // I and then Q: the mean offset each entry's texels leave unexplained.
    for (int part = 0; part < 2; ++part) {
        double sum[4][3] = {}, count[4] = {};
        for (size_t k = 0; k < texels.size(); ++k) {
            int Y = codes[k] >> 4, I = (codes[k] >> 2) & 3, Q = codes[k] & 3;
            const Rgb &c = texels[k];
            const double rgb[3] = {c.r, c.g, c.b};
            int own = part == 0 ? I : Q;
            const double *other = part == 0 ? t.q[Q] : t.i[I];
            for (int ch = 0; ch < 3; ++ch)
                sum[own][ch] += rgb[ch] - t.y[Y] - other[ch];
            count[own] += 1;
        }
        double(*entries)[3] = part == 0 ? t.i : t.q;
        for (int e = 0; e < 4; ++e)
            if (count[e] > 0)
                for (int ch = 0; ch < 3; ++ch)
                    entries[e][ch] = sum[e][ch] / count[e];
    }
}

}  // namespace

Texture encode_yiq(const std::vector<Picture> &chain)
{
    std::vector<Rgb> texels;
    for (const Picture &level : chain)
        texels.insert(texels.end(), level.px.begin(), level.px.end());

    Table t = start_table(texels);
    std::vector<uint8_t> codes(texels.size());
    for (int round = 0; round < ROUNDS; ++round) {
        GuNccTable n = rounded(t);
        for (size_t k = 0; k < texels.size(); ++k)
            codes[k] = nearest(n, texels[k]);
        refit(t, texels, codes);
    }

    Texture out;
    out.format = GR_TEXFMT_YIQ_422;
    out.table.nccTable = rounded(t);
    for (const Rgb &c : texels)
        out.texels.push_back(nearest(out.table.nccTable, c));
    return out;
}
