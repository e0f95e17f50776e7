// Clone and normalise, as the show applies them to its cubes and torus.
#include <gtest/gtest.h>

#include <cmath>

#include "mesh_files.h"

namespace {

TEST(MeshOperations, CloneOwnsItsVerticesAndNormaliseScalesAboutTheOrigin)
{
    MeshPtr cube(mesh_load("pak/cube.dat"));
    ASSERT_NE(cube, nullptr);
    const Vertex4 normal = cube->normals[5];
    Mesh *clone = mesh_clone(cube.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_NE(clone->vertices, cube->vertices);
    EXPECT_EQ(clone->faces, cube->faces);
    EXPECT_EQ(clone->normals, cube->normals);

    EXPECT_EQ(mesh_normalise(clone, 200.0f), 1);
    EXPECT_EQ(mesh_normalise(cube.get(), 100.0f), 1);
    for (int i = 0; i < 8; i++) {
        EXPECT_EQ(std::fabs(cube->vertices[i].x), 50.0f);
        EXPECT_EQ(std::fabs(cube->vertices[i].z), 50.0f);
        EXPECT_EQ(cube->vertices[i].w, 1.0f);
        EXPECT_EQ(std::fabs(clone->vertices[i].y), 100.0f);
    }
    EXPECT_EQ(cube->normals[5].y, normal.y);

    mesh_release(clone); // changes nothing: the show draws it again
    EXPECT_EQ(std::fabs(clone->vertices[7].x), 100.0f);
    free(clone->vertices);
    free(clone);

    // Not centred: 0..2 by 0..1 by 0..1 becomes 0..100 by 0..50 by 0..50.
    Vertex4 box[2] = {{0, 0, 0, 1}, {2, 1, 1, 1}};
    Mesh mesh = {};
    mesh.vertex_count = 2;
    mesh.vertices = box;
    EXPECT_EQ(mesh_normalise(&mesh, 100.0f), 1);
    EXPECT_EQ(box[0].x, 0.0f);
    EXPECT_EQ(box[1].x, 100.0f);
    EXPECT_EQ(box[1].y, 50.0f);
}

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
