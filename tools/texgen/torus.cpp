// torus.cpp - the torus's texture: light embossed tiles. u runs once round
// the ring (x) and v once round the tube (y); the ring is about four times
// as long as the tube is round, so a tile 16 texels wide and 64 high comes
// out square on the surface: 16 by 4 tiles, an even number each way, so the
// checker wraps without a seam. The texture is multiplied by the vertex
// colours, so it stays light: warm white and pale blue-grey tiles with a
// soft bevel and a faint marbling.
#include "texgen.h"

#include <cmath>

namespace {

constexpr double TILE_W = 16.0, TILE_H = 64.0;
constexpr double BEVEL_W = 2.5, BEVEL_H = 10.0;  // equal on the surface

const Rgb WARM = {252, 248, 238};
const Rgb COOL = {208, 218, 232};

}  // namespace

Picture torus_picture()
{
    Picture p(256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            double xc = x + 0.5, yc = y + 0.5;
            int tx = x / int(TILE_W), ty = y / int(TILE_H);
            Rgb c = (tx + ty) % 2 ? COOL : WARM;
            // Position in the tile, 0 to 1 across the bevel from each edge.
            double fx = xc - tx * TILE_W, fy = yc - ty * TILE_H;
            double left = smoothstep(0.0, BEVEL_W, fx), right = smoothstep(0.0, BEVEL_W, TILE_W - fx);
            double top = smoothstep(0.0, BEVEL_H, fy), bottom = smoothstep(0.0, BEVEL_H, TILE_H - fy);
            // Lit from the top left: the top and left bevels brighter, the
            // others darker, and a thin groove between the tiles.
            double light =
                1.0 + 0.05 * ((1.0 - left) + (1.0 - top)) - 0.10 * ((1.0 - right) + (1.0 - bottom));
            double groove = 0.88 + 0.12 * smoothstep(0.0, 0.5, left * right * top * bottom);
            double marble = tiled_noise(xc, yc, 32, 8, 7) * 0.6 + tiled_noise(xc, yc, 64, 16, 11) * 0.4;
            double k = light * groove * (0.95 + 0.07 * marble);
            p.at(x, y) = {clamp01(c.r * k / 255.0) * 255.0, clamp01(c.g * k / 255.0) * 255.0,
                          clamp01(c.b * k / 255.0) * 255.0};
        }
    return p;
}
