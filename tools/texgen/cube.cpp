// cube.cpp - the cubes' texture. Every cube triangle samples texture
// coordinates (0,0), (1,0) and (1,1) at its three corners, one texel across,
// with bilinear filtering and wrapping: all it ever shows are the texels next
// to texel (0,0) and their wrap neighbours in row and column 255. With texel
// centres at half-integer coordinates each corner sees the mean of the four
// texels around it and the middle of the long edge sees texel (0,0) alone;
// with centres at whole coordinates the corners see (0,0), (1,0) and (1,1).
//
// So texel (0,0) is white and its eight neighbours go round a colour wheel:
// the first corner comes out red, the second yellow, the third teal (or
// white, green and cyan with whole-number centres), and every face shows a
// bright, smooth three-colour gradient with a highlight on its diagonal.
//
// The smaller levels get the same nine texels, set after the box filter,
// which would average them into a pale grey: the 2x2 level keeps (0,0),
// (1,0), (0,1) and (1,1), and the 1x1 level is their mean, a clear teal.
// (The faces span one texel of the largest level, so only a face less than
// a pixel across would call for a smaller level; there the cubes keep their
// colours.) The rest of the picture, never seen on the cubes, is the same
// colour wheel spreading out from every corner in soft rings.
#include "texgen.h"

#include <cmath>

namespace {

const Rgb CENTRE = {255, 255, 255};

// The neighbours' colours by direction, counter-clockwise on the screen from
// +x (texel (1,0)), in eighths of a turn; rows run down.
const Rgb KEYS[8] = {
    {40, 210, 60},   // (1, 0)   green
    {0, 190, 230},   // (1, 1)   cyan
    {40, 70, 255},   // (0, 1)   blue
    {150, 40, 230},  // (-1, 1)  violet
    {235, 20, 50},   // (-1, 0)  red
    {210, 0, 110},   // (-1, -1) crimson
    {255, 120, 0},   // (0, -1)  orange
    {255, 220, 0},   // (1, -1)  yellow
};

// The direction of (dx, dy) in eighths of a turn, 0 to 8, exact for the
// eight neighbours: the "diamond angle", which needs no arctangent.
double eighths(double dx, double dy)
{
    double a;
    if (dy >= 0)
        a = dx >= 0 ? dy / (dx + dy) : 1.0 - dx / (-dx + dy);
    else
        a = dx < 0 ? 2.0 - dy / (-dx - dy) : 3.0 + dx / (dx - dy);
    return a * 2.0;  // quarter turns to eighths
}

Rgb wheel(double dx, double dy)
{
    double a = eighths(dx, dy);
    int k = int(std::floor(a)) % 8;
    return mix(KEYS[k], KEYS[(k + 1) % 8], a - std::floor(a));
}

// The offset of texel n from texel 0 the short way round a side of `size`.
int wrapped(int n, int size)
{
    return n < size / 2 ? n : n - size;
}

Picture wheel_picture()
{
    Picture p(256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            double dx = wrapped(x, 256), dy = wrapped(y, 256);
            if (dx == 0 && dy == 0) {
                p.at(x, y) = CENTRE;
                continue;
            }
            double r = std::sqrt(dx * dx + dy * dy);
            double saturation = 1.0 - 0.45 * smoothstep(1.5, 180.0, r);
            double rings = 0.84 + 0.16 * wave(r / 24.0 + 0.25);
            p.at(x, y) = scale(mix(CENTRE, wheel(dx, dy), saturation), rings);
        }
    return p;
}

void set_corner(Picture &level)
{
    int n = level.size;
    if (n == 1) {
        // What the 2x2 level shows with half-integer centres: its mean.
        Rgb sum = CENTRE;
        for (Rgb c : {wheel(1, 0), wheel(0, 1), wheel(1, 1)})
            sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
        level.at(0, 0) = scale(sum, 0.25);
        return;
    }
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            // On the 2x2 level -1 and +1 are the same texel: +1 wins.
            if (n == 2 && (dx < 0 || dy < 0))
                continue;
            level.at((dx + n) % n, (dy + n) % n) = dx || dy ? wheel(dx, dy) : CENTRE;
        }
}

}  // namespace

std::vector<Picture> cube_chain()
{
    std::vector<Picture> chain = box_chain(wheel_picture());
    for (Picture &level : chain)
        set_corner(level);
    return chain;
}
