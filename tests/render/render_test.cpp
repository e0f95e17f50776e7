// render_test.cpp - triangle setup (the depth values and the visibility test)
// and the logo's state without faces, checked to the bit in our Glide's log;
// how the snap rounds, where the corners fall and what the draw modes draw
// are the golden frames' and traces' affair.
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

// What the logo draws, and its state, are the golden traces'; without faces
// the state calls are still made.
TEST(DrawLogo, SetsItsColourAndTextureEvenWithoutFaces)
{
    const Mesh mesh = {};
    logo_texture = 77;
    glide_calls();
    draw_logo(NO_TURN, AHEAD, &mesh);
    EXPECT_EQ(glide_calls(), (std::vector<std::string>{"grConstantColorValue 1750", "guTexSource 77"}));
}
