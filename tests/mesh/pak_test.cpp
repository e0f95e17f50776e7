// The show's three mesh files load and give each draw mode what it reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "mesh_files.h"

namespace {

MeshPtr load_pak(const char *path)
{
    MeshPtr mesh(mesh_load(path));
    EXPECT_NE(mesh, nullptr) << path;
    if (mesh) {
        EXPECT_EQ(draw_guarantee_violation(mesh.get(), read_file(path).size()), "") << path;
    }
    return mesh;
}

// The range of a texture-vertex coordinate over a face's corners, or over
// all texture vertices when face is -1.
std::pair<float, float> tex_range(const Mesh *m, int face, float TexVertex::*coordinate)
{
    float low = INFINITY, high = -INFINITY;
    for (int i = 0; i < (face < 0 ? m->tex_vertex_count : 3); i++) {
        float c = m->tex_vertices[face < 0 ? i : m->tex_faces[face].t[i]].*coordinate;
        low = std::min(low, c);
        high = std::max(high, c);
    }
    return {low, high};
}

TEST(PakMeshes, CubeHasOnlyItsCornersAtPlusMinusOne)
{
    MeshPtr cube = load_pak("pak/cube.dat");
    ASSERT_NE(cube, nullptr);
    EXPECT_EQ(cube->vertex_count, 8);
    EXPECT_EQ(cube->face_count, 12);
    EXPECT_EQ(cube->tex_faces, nullptr);
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(std::fabs(cube->vertices[i].x) + std::fabs(cube->vertices[i].y) + std::fabs(cube->vertices[i].z), 3.0f);
}

TEST(PakMeshes, TorusIsColouredAndWrapsItsTextureOnce)
{
    MeshPtr torus = load_pak("pak/torus.dat");
    ASSERT_NE(torus, nullptr);
    EXPECT_GE(torus->vertex_count, 600);
    EXPECT_LE(torus->vertex_count, MAX_VERTICES);
    ASSERT_NE(torus->colours, nullptr);
    ASSERT_NE(torus->tex_faces, nullptr);
    for (int i = 0; i < torus->vertex_count; i++) {
        const VertexColour &c = torus->colours[i];
        ASSERT_TRUE(std::min({c.red, c.green, c.blue}) >= 0.0f && std::max({c.red, c.green, c.blue}) <= 1.0f) << i;
    }
    EXPECT_EQ(tex_range(torus.get(), -1, &TexVertex::u), std::make_pair(0.0f, 1.0f));
    EXPECT_EQ(tex_range(torus.get(), -1, &TexVertex::v), std::make_pair(0.0f, 1.0f));
    // No face reaches back across a seam: its corners are one step apart.
    for (int i = 0; i < torus->face_count; i++) {
        for (auto coordinate : {&TexVertex::u, &TexVertex::v}) {
            auto [low, high] = tex_range(torus.get(), i, coordinate);
            ASSERT_LT(high - low, 0.1f) << "face " << i;
        }
    }
}

TEST(PakMeshes, LogoIsTexturedInTexelsAndSizedForItsPath)
{
    MeshPtr logo = load_pak("pak/3dfx.dat");
    ASSERT_NE(logo, nullptr);
    EXPECT_LE(logo->vertex_count, MAX_VERTICES);
    ASSERT_NE(logo->tex_faces, nullptr);
    EXPECT_EQ(tex_range(logo.get(), -1, &TexVertex::u), std::make_pair(0.0f, 256.0f));
    EXPECT_EQ(tex_range(logo.get(), -1, &TexVertex::v), std::make_pair(0.0f, 256.0f));
    float low = 0, high = 0;
    for (int i = 0; i < logo->vertex_count; i++) {
        low = std::min(low, logo->vertices[i].x);
        high = std::max(high, logo->vertices[i].x);
    }
    EXPECT_EQ(low, -high); // centred
    EXPECT_GE(high - low, 60.0f);
    EXPECT_LE(high - low, 100.0f);
}

} // namespace
