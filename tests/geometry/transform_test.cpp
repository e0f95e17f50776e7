// Transform and projection: the values triangle setup reads.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/matrix.h"
#include "geometry/transform.h"

namespace {

TEST(Transform, RowVectorTimesTheMatrixSummedInFloat)
{
    Vertex4 in[2] = {{1, 2, 4, 0}, {9, 9, 9, 9}}, eye[2] = {{}, {7, 7, 7, 7}};
    matrix_load(matrix_translate(5, 6, 7));
    transform_vertices(eye, in, 1);
    EXPECT_EQ(eye[0].x, 1.0f); // w = 0: not moved
    EXPECT_EQ(eye[0].z, 4.0f);
    EXPECT_EQ(eye[1].x, 7.0f); // count respected
    transform_vertices(eye, in, 0);
    transform_vertices(eye, in, -1);
    EXPECT_EQ(eye[0].x, 1.0f);

    // 1 + 2^-24 + 2^-24 summed from the left in float stays 1.
    Matrix4 m = {};
    m.m[0] = 1.0f;
    m.m[4] = m.m[8] = std::ldexp(1.0f, -24);
    matrix_load(m);
    in[0] = {1, 1, 1, 0};
    transform_vertices(eye, in, 1);
    EXPECT_EQ(eye[0].x, 1.0f);
}

TEST(Projection, ScreenFractionsFromXAndYOverZ)
{
    const Vertex4 eye[] = {{1, 2, 4, 1}, {0, 0, 7, 1}, {3, 0, 3, 1}, {-3, 0, 3, 1}, {0, 0, 0, 1}};
    ProjectedVertex p[6];
    p[5].sx = 9.0f;
    project_vertices(p, eye, 5);
    EXPECT_EQ(p[0].sx, 0.625f);
    EXPECT_EQ(p[0].sy, 0.75f);
    EXPECT_EQ(p[0].sz, 1.0f);
    EXPECT_EQ(p[0].z, 4.0f);
    EXPECT_EQ(p[1].sx, 0.5f); // on the axis: the centre of the screen
    EXPECT_EQ(p[1].sy, 0.5f);
    EXPECT_EQ(p[2].sx, 1.0f); // x = z: the right edge
    EXPECT_EQ(p[3].sx, 0.0f); // x = -z: the left edge
    // At the viewer's depth nothing is finite; triangle setup skips the face.
    EXPECT_FALSE(std::isfinite(p[4].sx));
    EXPECT_FALSE(std::isfinite(p[4].sz));
    EXPECT_EQ(p[5].sx, 9.0f);
}

} // namespace
