// Normalise where there is nothing to scale by.
#include <gtest/gtest.h>

#include <cmath>

#include "mesh_files.h"

namespace {

TEST(MeshOperations, NormaliseWithoutAnExtentChangesNothing)
{
    Vertex4 point[2] = {{3, 4, 5, 1}, {3, 4, 5, 1}};
    Mesh mesh = {};
    mesh.vertices = point;
    EXPECT_EQ(mesh_normalise(&mesh, 100.0f), 0); // no vertices
    mesh.vertex_count = 2;
    EXPECT_EQ(mesh_normalise(&mesh, 100.0f), 0); // all at one point
    point[0].x = NAN; // no extent to scale by, rather than NaN everywhere
    EXPECT_EQ(mesh_normalise(&mesh, 100.0f), 0);
    EXPECT_EQ(point[1].x, 3.0f);
}

} // namespace
