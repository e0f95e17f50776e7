// render_test.cpp - triangle setup (the depth values and the visibility test)
// and the logo's draw mode (what its records and state calls hold), checked
// to the bit in our Glide's log; how the snap rounds and where the corners
// fall are the golden frames' affair.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/glide_log.h"
#include "render/draw_modes.h"
#include "render/triangle.h"

namespace {

struct Triangle {
    Vertex4 eye[3] = {{0, 0, 1, 1}, {0, 0, 1, 1}, {0, 0, 1, 1}};
    ProjectedVertex projected[3] = {};
    GrVertex records[3] = {};
    CornerValues corners = {{0.0f, 1.0f, 2.0f}, {3.0f, 4.0f, 5.0f}, 4.0f, false, {}, {}, {}};

    void setup(Face face = {{0, 1, 2}}) { setup_triangle(face, eye, projected, records, corners); }
};

// Two triangles at depth 4 sharing vertices 0 and 2.
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

}  // namespace

TEST(SetupTriangle, SnapsScreenPositionsAndGivesOowFromDepth)
{
    glide_calls();
    Triangle t;
    t.projected[0] = {0.5f, 0.5f, 1.0f, 1.0f};
    t.projected[1] = {1.0f / 3.0f, 0.7777f, 1.0f, 99.0f};  // 213.33334 and 373.29599 before snapping
    t.projected[2] = {5.0f, -3.0f, 1.0f, 1e-9f};           // off screen: clipping is the library's
    t.eye[0].z = 1.0f;
    t.eye[1].z = 99.0f;
    t.eye[2].z = 1e-9f;
    t.setup();
    // The same face the other way round is drawn too, its corners in its order.
    t.setup({{2, 1, 0}});

    std::vector<std::string> calls = glide_calls();
    ASSERT_EQ(calls.size(), 2u);
    // x, y, oow, then s, t and 1/w for the texture, then r, g, b, at each corner
    EXPECT_EQ(corners(calls[0]), (std::vector<float>{320,       240,       0.5f,
                                                     0,         3,         4,
                                                     0,         0,         0,  //
                                                     213.3125f, 373.3125f, 0.0099999998f,
                                                     1,         4,         4,
                                                     0,         0,         0,  //
                                                     3200,      -1440,     1,
                                                     2,         5,         4,
                                                     0,         0,         0}));
    EXPECT_EQ(corners(calls[1])[0], 3200.0f);
    EXPECT_EQ(corners(calls[1])[3], 0.0f);
}

TEST(SetupTriangle, SkipsAFaceWithAnyVertexNotInFront)
{
    glide_calls();
    for (float bad : {0.0f, -0.0f, -5.0f, NAN}) {
        for (int k = 0; k < 3; ++k) {
            Triangle t;
            t.eye[k].z = bad;
            t.setup();
            EXPECT_TRUE(glide_calls().empty()) << "depth " << bad << " at corner " << k;
        }
    }
}

TEST(DrawLogo, SetsItsColourAndTextureThenDrawsACopyWithTexturesScaledByFour)
{
    TestMesh t;
    for (Vertex4 &v : t.vertices)
        v.w = 0.0f;  // the copy has w = 1, so the position still applies
    logo_texture = 77;
    glide_calls();
    draw_logo(NO_TURN, AHEAD, &t.mesh);

    std::vector<std::string> calls = glide_calls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0], "grConstantColorValue 1750");
    EXPECT_EQ(calls[1], "guTexSource 77");
    // x y oow sow tow tmu_oow r g b a corner; where the corners fall and
    // their texture coordinates show in the golden frames, tmu_oow does not.
    EXPECT_EQ(corners(calls[2])[23], 4.0f);
    const GrVertex &last = logo_corner_vertices[2];
    const std::vector<float> copy = corners(calls[3]);
    EXPECT_EQ(std::vector<float>(copy.begin() + 18, copy.end()),
              (std::vector<float>{last.x, last.y, last.oow, last.tmuvtx[0].sow, last.tmuvtx[0].tow,
                                  last.tmuvtx[0].oow, last.r, last.g, last.b}));
    EXPECT_EQ(t.vertices[1].w, 0.0f);  // the mesh is left as it was

    // Without faces the state calls are still made.
    t.mesh.face_count = 0;
    draw_logo(NO_TURN, AHEAD, &t.mesh);
    EXPECT_EQ(glide_calls().size(), 2u);
}
