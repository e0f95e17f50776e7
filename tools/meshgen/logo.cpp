// logo.cpp - the logo: the word LUMIVEX in extruded block letters, about 97 units wide.
//
// The show draws it unscaled and turns it 90 degrees about X at its most
// visible moment, which takes model +y to eye +z (away from the viewer) and
// model +z to eye -y (up the screen). So the letters stand in the model's XZ
// plane, reading along +x with their tops towards +z, and are extruded along
// y with the front face at the smaller y. The model is centred on its origin.
//
// None of the letters has a hole, so each is one outline: its front and back
// are the outline cut into triangles, its sides one quad per outline edge.
// Every face is textured by projecting the front view onto the texture:
// u = 0..256 across the word, v = 0..256 from the letters' top to their foot.
// The sides therefore repeat the texels at the letters' edges.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "models.h"

namespace {

struct Point {
    double x, z;
};

struct Letter {
    double width;
    std::vector<Point> outline;
};

// On a grid 5 units high with strokes 1 unit thick.
const Letter LETTERS[] = {
    {3, {{0, 0}, {3, 0}, {3, 1}, {1, 1}, {1, 5}, {0, 5}}},                  // L
    {3, {{0, 0}, {3, 0}, {3, 5}, {2, 5}, {2, 1}, {1, 1}, {1, 5}, {0, 5}}},  // U
    {5,
     {{0, 0},
      {1, 0},
      {1, 3.5},
      {2.5, 2},
      {4, 3.5},
      {4, 0},
      {5, 0},
      {5, 5},
      {4, 5},
      {2.5, 3.5},
      {1, 5},
      {0, 5}}},                                                                 // M
    {1, {{0, 0}, {1, 0}, {1, 5}, {0, 5}}},                                      // I
    {4, {{1.5, 0}, {2.5, 0}, {4, 5}, {3, 5}, {2, 5.0 / 3.0}, {1, 5}, {0, 5}}},  // V
    {3,
     {{0, 0},
      {3, 0},
      {3, 1},
      {1, 1},
      {1, 2},
      {2.5, 2},
      {2.5, 3},
      {1, 3},
      {1, 4},
      {3, 4},
      {3, 5},
      {0, 5}}},  // E
    {4,
     {{0, 0},
      {1, 0},
      {2, 5.0 / 3.0},
      {3, 0},
      {4, 0},
      {2.5, 2.5},
      {4, 5},
      {3, 5},
      {2, 10.0 / 3.0},
      {1, 5},
      {0, 5},
      {1.5, 2.5}}},  // X
};
const double GRID_HEIGHT = 5.0;
const double LETTER_GAP = 0.8;
const double SCALE = 3.5;      // model units per grid unit: the word is about 97 units wide
const double THICKNESS = 6.0;  // model units, along y
const double TEXTURE_SIZE = 256.0;

double cross(Point o, Point a, Point b)
{
    return (a.x - o.x) * (b.z - o.z) - (a.z - o.z) * (b.x - o.x);
}

bool inside_or_on(Point p, Point a, Point b, Point c)
{
    return cross(a, b, p) >= 0 && cross(b, c, p) >= 0 && cross(c, a, p) >= 0;
}

// Ear clipping of a counter-clockwise outline into triangles of outline
// indices, each counter-clockwise too. The outlines are small; O(n^3) is fine.
std::vector<Index3> triangulate(const std::vector<Point> &outline)
{
    std::vector<int32_t> left;
    for (int32_t i = 0; i < int32_t(outline.size()); i++)
        left.push_back(i);
    std::vector<Index3> triangles;
    while (left.size() > 3) {
        size_t n = left.size(), ear = n;
        for (size_t k = 0; k < n && ear == n; k++) {
            int32_t a = left[(k + n - 1) % n], b = left[k], c = left[(k + 1) % n];
            if (cross(outline[a], outline[b], outline[c]) <= 0)
                continue;  // reflex or flat corner
            bool empty = true;
            for (int32_t p : left) {
                if (p != a && p != b && p != c &&
                    inside_or_on(outline[p], outline[a], outline[b], outline[c]))
                    empty = false;
            }
            if (empty)
                ear = k;
        }
        if (ear == n) {
            std::fprintf(stderr, "meshgen: a letter outline has no ear\n");
            std::exit(1);
        }
        triangles.push_back({left[(ear + n - 1) % n], left[ear], left[(ear + 1) % n]});
        left.erase(left.begin() + ear);
    }
    triangles.push_back({left[0], left[1], left[2]});
    return triangles;
}

}  // namespace

MeshModel make_logo()
{
    double word_width = -LETTER_GAP;
    for (const Letter &letter : LETTERS)
        word_width += letter.width + LETTER_GAP;

    MeshModel logo;
    const float front = float(-THICKNESS / 2), back = float(THICKNESS / 2);
    double left_edge = 0;
    for (const Letter &letter : LETTERS) {
        const std::vector<Point> &outline = letter.outline;
        const int32_t n = int32_t(outline.size());
        const int32_t first_vertex = int32_t(logo.vertices.size());
        const int32_t first_tex = int32_t(logo.tex_vertices.size());
        // Front corners first, then the back corners in the same order; one
        // texture vertex serves a front corner and the back corner behind it.
        for (int side = 0; side < 2; side++) {
            for (const Point &p : outline) {
                double x = (left_edge + p.x - word_width / 2) * SCALE;
                double z = (p.z - GRID_HEIGHT / 2) * SCALE;
                logo.vertices.push_back({float(x), side == 0 ? front : back, float(z)});
                if (side == 0) {
                    logo.tex_vertices.push_back({float(TEXTURE_SIZE * (left_edge + p.x) / word_width),
                                                 float(TEXTURE_SIZE * (GRID_HEIGHT - p.z) / GRID_HEIGHT)});
                }
            }
        }
        auto front_of = [&](int32_t k) { return first_vertex + k; };
        auto back_of = [&](int32_t k) { return first_vertex + n + k; };
        auto tex_of = [&](int32_t k) { return first_tex + k; };

        for (const Index3 &t : triangulate(outline)) {
            logo.add_face({front_of(t[0]), front_of(t[1]), front_of(t[2])},
                          {tex_of(t[0]), tex_of(t[1]), tex_of(t[2])}, {0, -1, 0});
            logo.add_face({back_of(t[0]), back_of(t[1]), back_of(t[2])},
                          {tex_of(t[0]), tex_of(t[1]), tex_of(t[2])}, {0, 1, 0});
        }
        for (int32_t k = 0; k < n; k++) {
            int32_t next = (k + 1) % n;
            // Going counter-clockwise, the outside of an edge is on its right.
            Float3 outward = {float(outline[next].z - outline[k].z), 0,
                              float(outline[k].x - outline[next].x)};
            logo.add_face({front_of(k), front_of(next), back_of(next)},
                          {tex_of(k), tex_of(next), tex_of(next)}, outward);
            logo.add_face({front_of(k), back_of(next), back_of(k)}, {tex_of(k), tex_of(next), tex_of(k)},
                          outward);
        }
        left_edge += letter.width + LETTER_GAP;
    }
    return logo;
}
