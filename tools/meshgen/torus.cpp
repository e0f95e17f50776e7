// torus.cpp - the torus: a ring about the z axis, so that it faces the viewer when the
// show starts rocking it about Y and Z. Scaled to 100 units across and seen
// from 40 units away, a major radius of 3 and a tube radius of 1 leave a wide
// hole framed by the ring.
//
// Vertices are shared all round, so the colours run on without a seam; the
// texture vertices repeat along both seams, so that u and v each run from 0
// to 1 and the texture wraps exactly once each way.
#include <cmath>
#include <numbers>

#include "models.h"

static const int RING_STEPS = 48;  // round the ring (u)
static const int TUBE_STEPS = 16;  // round the tube (v)
static const double MAJOR_RADIUS = 3.0;
static const double MINOR_RADIUS = 1.0;

// Hue goes once round the colour wheel along the ring; the tube is lighter on
// its outer side and darker towards the hole, a soft, fixed shading that
// makes the shape read even though nothing is lit.
static Float3 colour_at(double ring_angle, double tube_angle)
{
    const double third = 2.0 * std::numbers::pi / 3.0;
    double light = 0.775 + 0.225 * std::cos(tube_angle);
    return {float(light * (0.6 + 0.4 * std::cos(ring_angle))),
            float(light * (0.6 + 0.4 * std::cos(ring_angle - third))),
            float(light * (0.6 + 0.4 * std::cos(ring_angle + third)))};
}

MeshModel make_torus()
{
    MeshModel torus;
    const double turn = 2.0 * std::numbers::pi;
    for (int i = 0; i < RING_STEPS; i++) {
        double ring = turn * i / RING_STEPS;
        for (int j = 0; j < TUBE_STEPS; j++) {
            double tube = turn * j / TUBE_STEPS;
            double reach = MAJOR_RADIUS + MINOR_RADIUS * std::cos(tube);
            torus.vertices.push_back({float(reach * std::cos(ring)), float(reach * std::sin(ring)),
                                      float(MINOR_RADIUS * std::sin(tube))});
            torus.colours.push_back(colour_at(ring, tube));
        }
    }
    for (int i = 0; i <= RING_STEPS; i++) {
        for (int j = 0; j <= TUBE_STEPS; j++)
            torus.tex_vertices.push_back({float(i) / RING_STEPS, float(j) / TUBE_STEPS});
    }

    auto vertex = [](int i, int j) { return (i % RING_STEPS) * TUBE_STEPS + j % TUBE_STEPS; };
    auto tex_vertex = [](int i, int j) { return i * (TUBE_STEPS + 1) + j; };
    for (int i = 0; i < RING_STEPS; i++) {
        for (int j = 0; j < TUBE_STEPS; j++) {
            // Outward is away from the tube's centre line, taken at the middle
            // of the quad.
            double ring = turn * (i + 0.5) / RING_STEPS, tube = turn * (j + 0.5) / TUBE_STEPS;
            Float3 outward = {float(std::cos(tube) * std::cos(ring)), float(std::cos(tube) * std::sin(ring)),
                              float(std::sin(tube))};
            torus.add_face({vertex(i, j), vertex(i + 1, j), vertex(i + 1, j + 1)},
                           {tex_vertex(i, j), tex_vertex(i + 1, j), tex_vertex(i + 1, j + 1)}, outward);
            torus.add_face({vertex(i, j), vertex(i + 1, j + 1), vertex(i, j + 1)},
                           {tex_vertex(i, j), tex_vertex(i + 1, j + 1), tex_vertex(i, j + 1)}, outward);
        }
    }
    return torus;
}
