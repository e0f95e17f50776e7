// Triangle setup: the sixteenth-pixel snap, the depth values and the
// visibility test, checked to the bit.
#include <gtest/gtest.h>

#include <cmath>

#include "glide_recorder.h"
#include "render/triangle.h"

TEST(Snap, RoundsToTheNearestSixteenthWithTiesToEven)
{
    EXPECT_EQ(snap(100.03125f), 100.0f);
    EXPECT_EQ(snap(100.09375f), 100.125f);
    EXPECT_EQ(snap(-0.03f), 0.0f);
    EXPECT_EQ(snap(300000.3f), 300000.25f); // beyond 2^18 the grid is eighths
}

namespace {

struct Triangle {
    Vertex4 eye[3] = {{0, 0, 1, 1}, {0, 0, 1, 1}, {0, 0, 1, 1}};
    ProjectedVertex projected[3] = {};
    GrVertex records[3] = {};
    CornerValues corners = {{0.0f, 1.0f, 2.0f}, {3.0f, 4.0f, 5.0f}, 4.0f, false, {}, {}, {}};

    void setup(Face face = {{0, 1, 2}}) { setup_triangle(face, eye, projected, records, corners); }
};

} // namespace

TEST(SetupTriangle, SnapsScreenPositionsAndGivesOowFromDepth)
{
    glide_calls.clear();
    Triangle t;
    t.projected[0] = {0.5f, 0.5f, 1.0f, 1.0f};
    t.projected[1] = {1.0f / 3.0f, 0.7777f, 1.0f, 99.0f}; // 213.33334 and 373.29599 before snapping
    t.projected[2] = {5.0f, -3.0f, 1.0f, 1e-9f};          // off screen: clipping is the library's
    t.eye[0].z = 1.0f;
    t.eye[1].z = 99.0f;
    t.eye[2].z = 1e-9f;
    t.setup();

    ASSERT_EQ(glide_calls.size(), 1u);
    const GrVertex *v = glide_calls[0].vertex;
    EXPECT_EQ(v[0].x, 320.0f);
    EXPECT_EQ(v[0].y, 240.0f);
    EXPECT_EQ(v[0].oow, 0.5f);
    EXPECT_EQ(v[1].x, 213.3125f);
    EXPECT_EQ(v[1].y, 373.3125f);
    EXPECT_EQ(v[1].oow, 0.0099999998f);
    EXPECT_EQ(v[2].x, 3200.0f);
    EXPECT_EQ(v[2].y, -1440.0f);
    EXPECT_EQ(v[2].oow, 1.0f);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(v[k].tmuvtx[0].sow, t.corners.sow[k]);
        EXPECT_EQ(v[k].tmuvtx[0].tow, t.corners.tow[k]);
        EXPECT_EQ(v[k].tmuvtx[0].oow, 4.0f);
        // Never written: no z depth, no alpha, no other texture unit.
        EXPECT_EQ(v[k].ooz + v[k].z + v[k].a + v[k].tmuvtx[1].sow, 0.0f);
    }

    // The same face the other way round is drawn too, its corners in its order.
    t.setup({{2, 1, 0}});
    ASSERT_EQ(glide_calls.size(), 2u);
    EXPECT_EQ(glide_calls[1].vertex[0].x, 3200.0f);
    EXPECT_EQ(glide_calls[1].vertex[0].tmuvtx[0].sow, 0.0f);
}

TEST(SetupTriangle, SkipsAFaceWithAnyVertexNotInFrontAndLeavesTheRecordsAlone)
{
    for (float bad : {0.0f, -0.0f, -5.0f, NAN}) {
        for (int k = 0; k < 3; ++k) {
            glide_calls.clear();
            Triangle t;
            t.records[0].x = 7.0f;
            t.eye[k].z = bad;
            t.setup();
            EXPECT_TRUE(glide_calls.empty()) << "depth " << bad << " at corner " << k;
            EXPECT_EQ(t.records[0].x, 7.0f);
            EXPECT_EQ(t.records[1].tmuvtx[0].oow, 0.0f);
        }
    }
}
