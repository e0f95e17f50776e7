// Clone and normalise, on the committed cube and on hand-made meshes.
#include <gtest/gtest.h>

#include <cmath>

#include "mesh_files.h"

namespace {

MeshPtr load_cube()
{
    MeshPtr cube(mesh_load("pak/cube.dat"));
    EXPECT_NE(cube, nullptr);
    return cube;
}

TEST(MeshNormalise, ScalesTheLargestExtentToTheSizeAboutTheOrigin)
{
    MeshPtr cube = load_cube();
    ASSERT_NE(cube, nullptr);
    Vertex4 first_normal = cube->normals[0];
    EXPECT_EQ(mesh_normalise(cube.get(), 100.0f), 1);
    for (int i = 0; i < cube->vertex_count; i++) {
        EXPECT_EQ(std::fabs(cube->vertices[i].x), 50.0f);
        EXPECT_EQ(std::fabs(cube->vertices[i].y), 50.0f);
        EXPECT_EQ(std::fabs(cube->vertices[i].z), 50.0f);
        EXPECT_EQ(cube->vertices[i].w, 1.0f);
    }
    EXPECT_EQ(cube->normals[0].x, first_normal.x);
    EXPECT_EQ(cube->normals[0].y, first_normal.y);
    EXPECT_EQ(cube->normals[0].z, first_normal.z);

    // Not centred: a box from 0 to 2 by 1 by 1 becomes 0 to 100 by 50 by 50.
    Vertex4 box[2] = {{0, 0, 0, 1}, {2, 1, 1, 1}};
    Mesh mesh = {};
    mesh.vertex_count = 2;
    mesh.vertices = box;
    EXPECT_EQ(mesh_normalise(&mesh, 100.0f), 1);
    EXPECT_EQ(box[0].x, 0.0f);
    EXPECT_EQ(box[1].x, 100.0f);
    EXPECT_EQ(box[1].y, 50.0f);
    EXPECT_EQ(box[1].z, 50.0f);
}

TEST(MeshNormalise, ANullExtentChangesNothing)
{
    Vertex4 point[3] = {{3, 4, 5, 1}, {3, 4, 5, 1}, {3, 4, 5, 1}};
    Mesh mesh = {};
    mesh.vertices = point;
    EXPECT_EQ(mesh_normalise(&mesh, 100.0f), 0); // no vertices at all
    mesh.vertex_count = 3;
    EXPECT_EQ(mesh_normalise(&mesh, 100.0f), 0);
    EXPECT_EQ(point[2].x, 3.0f);
    // A NaN coordinate gives no extent to scale by, rather than NaN everywhere.
    point[0].x = NAN;
    EXPECT_EQ(mesh_normalise(&mesh, 100.0f), 0);
    EXPECT_EQ(point[1].y, 4.0f);
}

TEST(MeshClone, OwnsItsVerticesAndSharesTheRest)
{
    MeshPtr cube = load_cube();
    ASSERT_NE(cube, nullptr);
    Mesh *clone = mesh_clone(cube.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_NE(clone->vertices, cube->vertices);
    EXPECT_EQ(clone->faces, cube->faces);
    EXPECT_EQ(clone->normals, cube->normals);
    EXPECT_EQ(clone->file_data, cube->file_data);
    EXPECT_EQ(clone->vertex_count, cube->vertex_count);
    EXPECT_EQ(clone->vertices[7].w, 1.0f);

    EXPECT_EQ(mesh_normalise(clone, 200.0f), 1);
    EXPECT_EQ(mesh_normalise(cube.get(), 100.0f), 1);
    EXPECT_EQ(clone->vertices[7].x, 100.0f);
    EXPECT_EQ(cube->vertices[7].x, 50.0f);

    // Releasing changes nothing: the show draws the same mesh again.
    mesh_release(clone);
    EXPECT_EQ(clone->vertices[7].x, 100.0f);
    EXPECT_EQ(clone->faces, cube->faces);
    free(clone->vertices);
    free(clone);
}

} // namespace
