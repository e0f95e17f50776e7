// The draw modes: what each puts into the records from the mesh, which
// records it uses, and the state calls the logo makes itself.
#include <gtest/gtest.h>

#include <cstring>

#include "glide_recorder.h"
#include "render/draw_modes.h"

namespace {

// Two triangles in front of the viewer sharing vertex 1; the texture faces
// cross the vertex order so a mix-up of n and m shows.
struct TestMesh {
    Vertex4 vertices[4] = {{-1, -1, 0, 1}, {1, -1, 0, 1}, {1, 1, 0, 1}, {-1, 1, 0, 1}};
    Face faces[2] = {{{0, 1, 2}}, {{0, 2, 3}}};
    TexFace tex_faces[2] = {{{2, 0, 1}}, {{1, 1, 1}}};
    TexVertex tex_vertices[3] = {{0.25f, 0.5f, 0}, {0.0f, 0.0f, 0}, {1.0f, 0.75f, 0}};
    VertexColour colours[4] = {{1.0f, 0.5f, 0.0f}, {0.0f, 0.0f, 1.0f}, {0.2f, 0.4f, 0.6f},
                               {1, 1, 1}};
    Mesh mesh = {};

    TestMesh()
    {
        mesh.vertex_count = 4;
        mesh.vertices = vertices;
        mesh.face_count = 2;
        mesh.faces = faces;
        mesh.tex_face_count = 2;
        mesh.tex_faces = tex_faces;
        mesh.tex_vertex_count = 3;
        mesh.tex_vertices = tex_vertices;
        mesh.colours = colours;
    }
};

const Vector3 NO_TURN = {0, 0, 0};
const Vector3 AHEAD = {0, 0, 4};

} // namespace

TEST(DrawLogo, SetsItsColourAndTextureThenDrawsWithTexturesScaledByFour)
{
    glide_calls.clear();
    logo_texture = 77;
    TestMesh t;
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
    EXPECT_EQ(v[2].r, 0.0f);
    EXPECT_EQ(std::memcmp(&logo_corner_vertices[2], &glide_calls[3].vertex[2], sizeof(GrVertex)), 0);
}

TEST(DrawLogo, DrawsACopyWithWOneAndLeavesTheMeshAsItWas)
{
    TestMesh t;
    glide_calls.clear();
    draw_logo(NO_TURN, AHEAD, &t.mesh);
    std::vector<GlideCall> with_w_one = recorded_triangles();

    // The copy sets w = 1, so the translation applies even to a w = 0 vertex.
    for (Vertex4 &v : t.vertices)
        v.w = 0.0f;
    glide_calls.clear();
    draw_logo(NO_TURN, AHEAD, &t.mesh);
    std::vector<GlideCall> with_w_zero = recorded_triangles();
    ASSERT_EQ(with_w_zero.size(), with_w_one.size());
    for (size_t i = 0; i < with_w_one.size(); ++i)
        EXPECT_EQ(std::memcmp(with_w_zero[i].vertex, with_w_one[i].vertex, sizeof(GrVertex[3])), 0);
    EXPECT_EQ(t.vertices[1].w, 0.0f);
    EXPECT_EQ(t.vertices[1].x, 1.0f);
}

TEST(DrawLogo, WithoutFacesStillSetsItsColourAndTexture)
{
    TestMesh t;
    t.mesh.face_count = 0;
    glide_calls.clear();
    draw_logo(NO_TURN, AHEAD, &t.mesh);
    ASSERT_EQ(glide_calls.size(), 2u);
    EXPECT_EQ(glide_calls[1].name, "guTexSource");
}

TEST(DrawTorus, ScalesTexturesBy255AndTakesColoursByVertex)
{
    TestMesh t;
    glide_calls.clear();
    draw_torus(&t.mesh, NO_TURN, AHEAD);

    std::vector<GlideCall> triangles = recorded_triangles();
    ASSERT_EQ(triangles.size(), 2u);
    EXPECT_EQ(glide_calls.size(), 2u); // the caller selects the texture
    const GrVertex *v = triangles[0].vertex;
    EXPECT_EQ(v[1].tmuvtx[0].sow, 63.75f);
    EXPECT_EQ(v[1].tmuvtx[0].tow, 127.5f);
    EXPECT_EQ(v[1].tmuvtx[0].oow, 1.0f);
    EXPECT_EQ(v[0].tmuvtx[0].sow, 255.0f);
    // Vertex 0 has the colour (1, 0.5, 0) at every corner that uses it.
    for (const GlideCall &triangle : triangles) {
        EXPECT_EQ(triangle.vertex[0].r, 255.0f);
        EXPECT_EQ(triangle.vertex[0].g, 127.5f);
        EXPECT_EQ(triangle.vertex[0].b, 0.0f);
    }
    EXPECT_EQ(triangles[1].vertex[1].r, 0.2f * 255.0f);
    EXPECT_EQ(triangles[1].vertex[1].b, 0.6f * 255.0f);
}

TEST(DrawCube, GivesEveryFaceTheSameCornersAndKeepsTheTorusColours)
{
    TestMesh torus;
    TestMesh cube;
    cube.mesh.tex_faces = nullptr; // the cube reads no texture or colour lists
    cube.mesh.tex_vertices = nullptr;
    cube.mesh.colours = nullptr;
    glide_calls.clear();
    draw_torus(&torus.mesh, NO_TURN, AHEAD);
    draw_cube(&cube.mesh, NO_TURN, AHEAD);

    std::vector<GlideCall> triangles = recorded_triangles();
    ASSERT_EQ(triangles.size(), 4u);
    for (int i = 2; i < 4; ++i) {
        const GrVertex *v = triangles[i].vertex;
        EXPECT_EQ(v[0].tmuvtx[0].sow, 0.0f);
        EXPECT_EQ(v[0].tmuvtx[0].tow, 0.0f);
        EXPECT_EQ(v[1].tmuvtx[0].sow, 1.0f);
        EXPECT_EQ(v[1].tmuvtx[0].tow, 0.0f);
        EXPECT_EQ(v[2].tmuvtx[0].sow, 1.0f);
        EXPECT_EQ(v[2].tmuvtx[0].tow, 1.0f);
        EXPECT_EQ(v[2].tmuvtx[0].oow, 1.0f);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(v[k].r, triangles[1].vertex[k].r);
            EXPECT_EQ(v[k].g, triangles[1].vertex[k].g);
        }
    }
    EXPECT_EQ(triangles[3].vertex[2].b, 255.0f); // vertex 3's white, left by the torus
}

TEST(DrawCube, DrawsTheSameTrianglesForTheSamePose)
{
    TestMesh cube;
    const Vector3 turn = {30, 45, 60};
    const Vector3 where = {1, 2, 10};
    glide_calls.clear();
    draw_cube(&cube.mesh, turn, where);
    draw_cube(&cube.mesh, turn, where);
    std::vector<GlideCall> triangles = recorded_triangles();
    ASSERT_EQ(triangles.size(), 4u);
    EXPECT_EQ(std::memcmp(triangles[0].vertex, triangles[2].vertex, sizeof(GrVertex[3])), 0);
    EXPECT_EQ(std::memcmp(triangles[1].vertex, triangles[3].vertex, sizeof(GrVertex[3])), 0);
}
