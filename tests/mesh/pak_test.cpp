// The show's three mesh files load and give each draw mode what it reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "mesh_files.h"

namespace {

struct Box {
    float low[3] = {INFINITY, INFINITY, INFINITY}, high[3] = {-INFINITY, -INFINITY, -INFINITY};
};

Box bounds(const Mesh *mesh)
{
    Box box;
    for (int i = 0; i < mesh->vertex_count; i++) {
        const float v[3] = {mesh->vertices[i].x, mesh->vertices[i].y, mesh->vertices[i].z};
        for (int k = 0; k < 3; k++) {
            box.low[k] = std::min(box.low[k], v[k]);
            box.high[k] = std::max(box.high[k], v[k]);
        }
    }
    return box;
}

MeshPtr load_pak(const char *path)
{
    MeshPtr mesh(mesh_load(path));
    EXPECT_NE(mesh, nullptr) << path;
    if (mesh) {
        EXPECT_EQ(draw_guarantee_violation(mesh.get(), read_file(path).size()), "") << path;
        EXPECT_LE(mesh->vertex_count, MAX_VERTICES) << path;
    }
    return mesh;
}

TEST(PakMeshes, CubeHasCornersAtPlusMinusOne)
{
    MeshPtr cube = load_pak("pak/cube.dat");
    ASSERT_NE(cube, nullptr);
    EXPECT_EQ(cube->vertex_count, 8);
    EXPECT_EQ(cube->face_count, 12);
    EXPECT_EQ(cube->tex_faces, nullptr); // the cube draw mode needs no more
    EXPECT_EQ(cube->colours, nullptr);
    for (int i = 0; i < 8; i++) {
        EXPECT_EQ(std::fabs(cube->vertices[i].x), 1.0f);
        EXPECT_EQ(std::fabs(cube->vertices[i].y), 1.0f);
        EXPECT_EQ(std::fabs(cube->vertices[i].z), 1.0f);
    }
}

TEST(PakMeshes, TorusIsColouredAndWrapsItsTextureOnce)
{
    MeshPtr torus = load_pak("pak/torus.dat");
    ASSERT_NE(torus, nullptr);
    EXPECT_GE(torus->vertex_count, 600);
    ASSERT_NE(torus->colours, nullptr);
    ASSERT_NE(torus->tex_faces, nullptr);
    EXPECT_GE(torus->tex_face_count, torus->face_count);
    for (int i = 0; i < torus->vertex_count; i++) {
        const VertexColour &c = torus->colours[i];
        for (float part : {c.red, c.green, c.blue})
            ASSERT_TRUE(part >= 0.0f && part <= 1.0f) << "vertex " << i;
    }
    // u and v fill 0..1, and no face reaches back across a seam: its corners
    // lie within one grid step of each other.
    float low = 1, high = 0;
    for (int i = 0; i < torus->face_count; i++) {
        float u[3], v[3];
        for (int k = 0; k < 3; k++) {
            u[k] = torus->tex_vertices[torus->tex_faces[i].t[k]].u;
            v[k] = torus->tex_vertices[torus->tex_faces[i].t[k]].v;
            low = std::min({low, u[k], v[k]});
            high = std::max({high, u[k], v[k]});
        }
        ASSERT_LT(std::max({u[0], u[1], u[2]}) - std::min({u[0], u[1], u[2]}), 0.1f) << "face " << i;
        ASSERT_LT(std::max({v[0], v[1], v[2]}) - std::min({v[0], v[1], v[2]}), 0.1f) << "face " << i;
    }
    EXPECT_EQ(low, 0.0f);
    EXPECT_EQ(high, 1.0f);
}

TEST(PakMeshes, LogoIsTexturedInTexelsAndSizedForItsPath)
{
    MeshPtr logo = load_pak("pak/3dfx.dat");
    ASSERT_NE(logo, nullptr);
    ASSERT_NE(logo->tex_faces, nullptr);
    EXPECT_GE(logo->tex_face_count, logo->face_count);
    Box box = bounds(logo.get());
    float width = box.high[0] - box.low[0];
    EXPECT_GE(width, 60.0f);
    EXPECT_LE(width, 100.0f);
    for (int k = 0; k < 3; k++)
        EXPECT_NEAR(box.low[k] + box.high[k], 0.0f, 1e-4f) << "centred on axis " << k;

    float low = 256, high = 0;
    for (int i = 0; i < logo->tex_vertex_count; i++) {
        low = std::min({low, logo->tex_vertices[i].u, logo->tex_vertices[i].v});
        high = std::max({high, logo->tex_vertices[i].u, logo->tex_vertices[i].v});
    }
    EXPECT_EQ(low, 0.0f);
    EXPECT_EQ(high, 256.0f);
}

} // namespace
