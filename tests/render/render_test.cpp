// render_test.cpp - triangle setup's visibility test and the logo's state
// without faces, in our Glide's log; how the snap rounds, the depth values,
// where the corners fall and what the draw modes draw are the golden frames'
// and traces' affair (every triangle's records, hidden or not).
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
    void setup() { setup_triangle({{0, 1, 2}}, eye, projected, records, CornerValues{}); }
};

const Vector3 NO_TURN = {0, 0, 0};
const Vector3 AHEAD = {0, 0, 4};

}  // namespace

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
    Triangle().setup();  // all in front
    EXPECT_EQ(glide_calls().size(), 1u);
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
