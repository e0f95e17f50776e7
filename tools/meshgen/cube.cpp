// cube.cpp - the cube: corners at +/-1 on every axis, two triangles a side, no texture or
// colour chunks (the cube draw mode needs neither). The show scales it to
// 100, 200, 300 and 400.
#include "models.h"

MeshModel make_cube()
{
    MeshModel cube;
    // Corner i has x = +1 when bit 0 is set, y when bit 1 is, z when bit 2 is.
    for (int i = 0; i < 8; i++)
        cube.vertices.push_back({i & 1 ? 1.0f : -1.0f, i & 2 ? 1.0f : -1.0f, i & 4 ? 1.0f : -1.0f});

    struct Side {
        int32_t corners[4];  // in order round the side
        Float3 outward;
    };
    const Side sides[6] = {
        {{0, 4, 6, 2}, {-1, 0, 0}}, {{1, 3, 7, 5}, {1, 0, 0}},  {{0, 1, 5, 4}, {0, -1, 0}},
        {{2, 6, 7, 3}, {0, 1, 0}},  {{0, 2, 3, 1}, {0, 0, -1}}, {{4, 5, 7, 6}, {0, 0, 1}},
    };
    for (const Side &s : sides) {
        cube.add_face({s.corners[0], s.corners[1], s.corners[2]}, s.outward);
        cube.add_face({s.corners[0], s.corners[2], s.corners[3]}, s.outward);
    }
    return cube;
}
