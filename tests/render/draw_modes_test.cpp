// The draw modes: what each puts into the records from the mesh, which
// records it uses, and the state calls the logo makes itself.
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

TEST(DrawTorusAndCube, TorusTakesColoursByVertexAndCubesKeepThemWithTheirFixedCorners)
{
    TestMesh torus, cube;
    cube.mesh.tex_faces = nullptr; // the cube reads no texture or colour lists
    cube.mesh.tex_vertices = nullptr;
    cube.mesh.colours = nullptr;
    glide_calls.clear();
    draw_torus(&torus.mesh, NO_TURN, AHEAD);
    draw_cube(&cube.mesh, NO_TURN, AHEAD);

    ASSERT_EQ(glide_calls.size(), 4u); // the caller selects their texture
    const GrVertex *v = glide_calls[0].vertex;
    EXPECT_EQ(v[1].tmuvtx[0].sow, 63.75f);
    EXPECT_EQ(v[1].tmuvtx[0].tow, 127.5f);
    EXPECT_EQ(v[1].tmuvtx[0].oow, 1.0f);
    EXPECT_EQ(v[0].tmuvtx[0].sow, 255.0f);
    // Vertex 0 has the colour (1, 0.5, 0) at every corner that uses it.
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(glide_calls[i].vertex[0].r, 255.0f);
        EXPECT_EQ(glide_calls[i].vertex[0].g, 127.5f);
        EXPECT_EQ(glide_calls[i].vertex[0].b, 0.0f);
    }
    EXPECT_EQ(glide_calls[1].vertex[1].r, 0.2f * 255.0f);

    for (int i = 2; i < 4; ++i) {
        const GrVertex *c = glide_calls[i].vertex;
        const float corners[3][2] = {{0, 0}, {1, 0}, {1, 1}};
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(c[k].tmuvtx[0].sow, corners[k][0]);
            EXPECT_EQ(c[k].tmuvtx[0].tow, corners[k][1]);
            EXPECT_EQ(c[k].tmuvtx[0].oow, 1.0f);
            EXPECT_EQ(c[k].r, glide_calls[1].vertex[k].r);
            EXPECT_EQ(c[k].b, glide_calls[1].vertex[k].b);
        }
    }
}
