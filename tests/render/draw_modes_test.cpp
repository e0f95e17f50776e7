// The logo's draw mode: what it puts into the records from the mesh, and the
// state calls it makes itself. The torus and the cubes are judged by the
// show's golden frames, which do not show the logo's texture scale.
#include <gtest/gtest.h>

#include <cstring>

#include "glide_recorder.h"
#include "render/draw_modes.h"

namespace {

// Two triangles at depth 4 sharing vertices 0 and 2; the texture faces cross
// the vertex order, so a mix-up of vertex and texture-vertex index shows.
struct TestMesh {
    Vertex4 vertices[4] = {{-1, -1, 0, 1}, {1, -1, 0, 1}, {1, 1, 0, 1}, {-1, 1, 0, 1}};
    Face faces[2] = {{{0, 1, 2}}, {{0, 2, 3}}};
    TexFace tex_faces[2] = {{{2, 0, 1}}, {{1, 1, 1}}};
    TexVertex tex_vertices[3] = {{0.25f, 0.5f, 0}, {0.0f, 0.0f, 0}, {1.0f, 0.75f, 0}};
    VertexColour colours[4] = {{1.0f, 0.5f, 0.0f}, {0, 0, 1}, {0.2f, 0.4f, 0.6f}, {1, 1, 1}};
    Mesh mesh = {4, vertices, 2, faces, nullptr, 2, tex_faces, 3, tex_vertices, colours, nullptr};
};

const Vector3 NO_TURN = {0, 0, 0};
const Vector3 AHEAD = {0, 0, 4};

} // namespace

TEST(DrawLogo, SetsItsColourAndTextureThenDrawsACopyWithTexturesScaledByFour)
{
    TestMesh t;
    for (Vertex4 &v : t.vertices)
        v.w = 0.0f; // the copy has w = 1, so the position still applies
    logo_texture = 77;
    glide_calls.clear();
    draw_logo(NO_TURN, AHEAD, &t.mesh);

    ASSERT_EQ(glide_calls.size(), 4u);
    EXPECT_EQ(glide_calls[0].name, "grConstantColorValue");
    EXPECT_EQ(glide_calls[0].value, 1750u);
    EXPECT_EQ(glide_calls[1].name, "guTexSource");
    EXPECT_EQ(glide_calls[1].value, 77u);
    const GrVertex *v = glide_calls[2].vertex;
    // Vertex (1, -1, 0) at depth 4: sx = (1/4 + 1) / 2, sy = (-1/4 + 1) / 2.
    EXPECT_EQ(v[1].x, 400.0f);
    EXPECT_EQ(v[1].y, 180.0f);
    EXPECT_EQ(v[1].oow, 0.2f);
    EXPECT_EQ(v[0].tmuvtx[0].sow, 4.0f);
    EXPECT_EQ(v[0].tmuvtx[0].tow, 3.0f);
    EXPECT_EQ(v[1].tmuvtx[0].sow, 1.0f);
    EXPECT_EQ(v[1].tmuvtx[0].tow, 2.0f);
    EXPECT_EQ(v[2].tmuvtx[0].oow, 4.0f);
    EXPECT_EQ(std::memcmp(&logo_corner_vertices[2], &glide_calls[3].vertex[2], sizeof(GrVertex)), 0);
    EXPECT_EQ(t.vertices[1].w, 0.0f); // the mesh is left as it was

    // Without faces the state calls are still made.
    t.mesh.face_count = 0;
    glide_calls.clear();
    draw_logo(NO_TURN, AHEAD, &t.mesh);
    EXPECT_EQ(glide_calls.size(), 2u);
}
