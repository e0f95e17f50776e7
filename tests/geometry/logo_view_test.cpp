// The logo at its most visible moment in the show (angles 810, 360, 720 at
// 20 below the centre and 180 away): it must read left to right, upright,
// with its front face towards the viewer. Screen x grows to the right and
// screen y downwards.
#include <gtest/gtest.h>

#include <cstdlib>

#include "geometry/matrix.h"
#include "geometry/transform.h"
#include "mesh/mesh.h"

namespace {

TEST(LogoView, ReadsLeftToRightUprightAndFacingTheViewer)
{
    Mesh *logo = mesh_load("pak/3dfx.dat");
    ASSERT_NE(logo, nullptr);
    ASSERT_LE(logo->vertex_count, MAX_VERTICES);
    static Vertex4 eye[MAX_VERTICES];
    static ProjectedVertex screen[MAX_VERTICES];
    model_matrix({810, 360, 720}, {0, 20, 180});
    transform_vertices(eye, logo->vertices, logo->vertex_count);
    project_vertices(screen, eye, logo->vertex_count);

    // Reading direction is along model x, the letters' up is model z, and
    // the front face is at the smaller model y.
    int leftmost = 0, top = 0, front = 0;
    for (int i = 1; i < logo->vertex_count; i++) {
        const Vertex4 &v = logo->vertices[i];
        if (v.x < logo->vertices[leftmost].x)
            leftmost = i;
        if (v.z > logo->vertices[top].z)
            top = i;
        if (v.y < logo->vertices[front].y)
            front = i;
    }
    for (int i = 0; i < logo->vertex_count; i++) {
        const Vertex4 &v = logo->vertices[i];
        EXPECT_GT(eye[i].z, 0.0f);
        if (v.x > logo->vertices[leftmost].x + 1.0f) {
            EXPECT_GT(screen[i].sx, screen[leftmost].sx) << "vertex " << i << " left of the word's start";
        }
        if (v.z < logo->vertices[top].z - 1.0f) {
            EXPECT_GT(screen[i].sy, screen[top].sy) << "vertex " << i << " above the letters' top";
        }
        if (v.y > logo->vertices[front].y + 1.0f) {
            EXPECT_GT(eye[i].z, eye[front].z) << "vertex " << i << " in front of the front face";
        }
    }
    // Well on screen: about a quarter of its width.
    EXPECT_GT(screen[leftmost].sx, 0.3f);
    EXPECT_LT(screen[leftmost].sx, 0.4f);

    free(logo->vertices);
    free(logo->normals);
    free(logo->file_data);
    free(logo);
}

} // namespace
