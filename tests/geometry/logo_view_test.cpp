// The logo at its most visible moment in the show (angles 810, 360, 720, 20
// below the centre and 180 away) reads left to right, upright, front face
// first. Screen x grows to the right, screen y downwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "geometry/matrix.h"
#include "geometry/transform.h"

namespace {

TEST(LogoView, ReadsLeftToRightUprightAndFacingTheViewer)
{
    Mesh *logo = mesh_load("pak/3dfx.dat");
    ASSERT_NE(logo, nullptr);
    const int count = std::min(logo->vertex_count, MAX_VERTICES);
    static Vertex4 eye[MAX_VERTICES];
    static ProjectedVertex screen[MAX_VERTICES];
    model_matrix({810, 360, 720}, {0, 20, 180});
    transform_vertices(eye, logo->vertices, count);
    project_vertices(screen, eye, count);

    // The word runs along model x, the letters' up is model +z, and the front
    // face is at the smaller model y.
    const Vertex4 *v = logo->vertices;
    auto extreme = [&](float Vertex4::*axis) {
        auto [low, high] = std::minmax_element(v, v + count, [&](auto &a, auto &b) { return a.*axis < b.*axis; });
        return std::make_pair(low - v, high - v);
    };
    auto [start, end] = extreme(&Vertex4::x);
    auto [foot, top] = extreme(&Vertex4::z);
    auto [front, back] = extreme(&Vertex4::y);
    EXPECT_LT(screen[start].sx, screen[end].sx);
    EXPECT_LT(screen[top].sy, screen[foot].sy);
    EXPECT_LT(eye[front].z, eye[back].z);
    EXPECT_GT(eye[front].z, 0.0f);
    EXPECT_GT(screen[start].sx, 0.3f); // about a quarter of the screen wide
    EXPECT_LT(screen[end].sx, 0.7f);

    free(logo->vertices);
    free(logo->normals);
    free(logo->file_data);
    free(logo);
}

} // namespace
