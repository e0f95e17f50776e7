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
    EXPECT_EQ(snap(213.33334f), 213.3125f);
    // Beyond 2^18 the grid is eighths.
    EXPECT_EQ(snap(300000.3f), 300000.25f);
    EXPECT_EQ(SNAP_OFFSET, 786432.0f);
}

namespace {

struct Triangle {
    Vertex4 eye[3] = {{0, 0, 1, 1}, {0, 0, 1, 1}, {0, 0, 1, 1}};
    ProjectedVertex projected[3] = {};
    GrVertex records[3] = {};
    CornerValues corners = {{0.0f, 1.0f, 2.0f}, {3.0f, 4.0f, 5.0f}, 4.0f, false, {}, {}, {}};
};

const Face FACE = {{0, 1, 2}};

} // namespace

TEST(SetupTriangle, ScreenPositionsAreSnappedProductsAndOowFallsWithDepth)
{
    glide_calls.clear();
    Triangle t;
    t.projected[0] = {0.5f, 0.5f, 1.0f, 1.0f};
    t.projected[1] = {1.0f / 3.0f, 0.7777f, 1.0f, 99.0f};
    t.projected[2] = {0.0f, 1.0f, 1.0f, 1e-9f};
    t.eye[0].z = 1.0f;
    t.eye[1].z = 99.0f;
    t.eye[2].z = 1e-9f;
    setup_triangle(FACE, t.eye, t.projected, t.records, t.corners);

    ASSERT_EQ(glide_calls.size(), 1u);
    const GrVertex *v = glide_calls[0].vertex;
    EXPECT_EQ(v[0].x, 320.0f);
    EXPECT_EQ(v[0].y, 240.0f);
    EXPECT_EQ(v[0].oow, 0.5f);
    EXPECT_EQ(v[1].x, 213.3125f);
    EXPECT_EQ(v[1].y, 373.3125f);
    EXPECT_EQ(v[1].oow, 0.0099999998f);
    EXPECT_EQ(v[2].x, 0.0f);
    EXPECT_EQ(v[2].y, 480.0f);
    EXPECT_EQ(v[2].oow, 1.0f);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(v[k].tmuvtx[0].sow, t.corners.sow[k]);
        EXPECT_EQ(v[k].tmuvtx[0].tow, t.corners.tow[k]);
        EXPECT_EQ(v[k].tmuvtx[0].oow, 4.0f);
        // Never written: no z depth, no alpha, no other texture unit.
        EXPECT_EQ(v[k].z, 0.0f);
        EXPECT_EQ(v[k].ooz, 0.0f);
        EXPECT_EQ(v[k].a, 0.0f);
        EXPECT_EQ(v[k].tmuvtx[1].sow, 0.0f);
    }
}

TEST(SetupTriangle, FollowsTheFaceOrderWhateverTheWindingAndLeavesClippingToGlide)
{
    glide_calls.clear();
    Triangle t;
    t.projected[0] = {0.1f, 0.1f, 1, 1};
    t.projected[1] = {0.2f, 0.9f, 1, 1};
    t.projected[2] = {5.0f, -3.0f, 1, 1}; // far off screen
    const Face reversed = {{2, 1, 0}};
    setup_triangle(reversed, t.eye, t.projected, t.records, t.corners);
    setup_triangle(FACE, t.eye, t.projected, t.records, t.corners);

    ASSERT_EQ(glide_calls.size(), 2u);
    EXPECT_EQ(glide_calls[0].vertex[0].x, 3200.0f);
    EXPECT_EQ(glide_calls[0].vertex[2].x, snap(0.1f * 640.0f));
    EXPECT_EQ(glide_calls[1].vertex[0].x, snap(0.1f * 640.0f));
    EXPECT_EQ(glide_calls[1].vertex[2].y, -1440.0f);
    // Corner values go by place in the face, not by vertex.
    EXPECT_EQ(glide_calls[0].vertex[0].tmuvtx[0].sow, 0.0f);
}

TEST(SetupTriangle, SkipsAFaceWithAnyVertexNotInFrontAndLeavesTheRecordsAlone)
{
    const float depths[] = {0.0f, -0.0f, -5.0f, NAN};
    for (float bad : depths) {
        for (int k = 0; k < 3; ++k) {
            glide_calls.clear();
            Triangle t;
            t.records[0].x = 7.0f;
            t.records[2].oow = 9.0f;
            t.eye[k].z = bad;
            setup_triangle(FACE, t.eye, t.projected, t.records, t.corners);
            EXPECT_TRUE(glide_calls.empty()) << "depth " << bad << " at corner " << k;
            EXPECT_EQ(t.records[0].x, 7.0f);
            EXPECT_EQ(t.records[2].oow, 9.0f);
            EXPECT_EQ(t.records[1].tmuvtx[0].oow, 0.0f);
        }
    }
}

TEST(SetupTriangle, WritesColoursOnlyWhenTheCornersCarryThem)
{
    glide_calls.clear();
    Triangle t;
    for (GrVertex &record : t.records)
        record.r = record.g = record.b = 42.0f;
    setup_triangle(FACE, t.eye, t.projected, t.records, t.corners);
    t.corners.coloured = true;
    t.corners.r[1] = 255.0f;
    t.corners.g[1] = 127.5f;
    setup_triangle(FACE, t.eye, t.projected, t.records, t.corners);

    ASSERT_EQ(glide_calls.size(), 2u);
    EXPECT_EQ(glide_calls[0].vertex[1].r, 42.0f);
    EXPECT_EQ(glide_calls[1].vertex[1].r, 255.0f);
    EXPECT_EQ(glide_calls[1].vertex[1].g, 127.5f);
    EXPECT_EQ(glide_calls[1].vertex[1].b, 0.0f);
}
