// Transform and projection: the values triangle setup reads.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/matrix.h"
#include "geometry/transform.h"

namespace {

TEST(Transform, RowVectorTimesTheMatrixInFloat)
{
    matrix_load(matrix_identity());
    Vertex4 in = {1, 2, 4, 1}, eye;
    transform_vertices(&eye, &in, 1);
    EXPECT_EQ(eye.x, 1.0f);
    EXPECT_EQ(eye.y, 2.0f);
    EXPECT_EQ(eye.z, 4.0f);
    EXPECT_EQ(eye.w, 1.0f);

    // Translation acts in proportion to w: a w of 0 is not moved.
    matrix_load(matrix_translate(5, 6, 7));
    in = {1, 2, 4, 0};
    transform_vertices(&eye, &in, 1);
    EXPECT_EQ(eye.x, 1.0f);
    EXPECT_EQ(eye.z, 4.0f);

    // Four products summed in float from the left: 1 + 2^-24 + 2^-24 stays 1,
    // where a wider sum would round up to the next float.
    const float tiny = std::ldexp(1.0f, -24);
    Matrix4 m = {};
    m.m[0] = 1.0f;
    m.m[4] = m.m[8] = tiny;
    matrix_load(m);
    in = {1, 1, 1, 0};
    transform_vertices(&eye, &in, 1);
    EXPECT_EQ(eye.x, 1.0f);
}

TEST(Transform, ACountOfZeroOrLessWritesNothing)
{
    matrix_load(matrix_identity());
    Vertex4 in = {1, 2, 3, 1}, out = {9, 9, 9, 9};
    ProjectedVertex projected = {9, 9, 9, 9};
    transform_vertices(&out, &in, 0);
    transform_vertices(&out, &in, -1);
    project_vertices(&projected, &in, 0);
    project_vertices(&projected, &in, -5);
    EXPECT_EQ(out.x, 9.0f);
    EXPECT_EQ(projected.sx, 9.0f);
}

TEST(Projection, ScreenFractionsFromXAndYOverZ)
{
    const Vertex4 eye[] = {{1, 2, 4, 1}, {0, 0, 7, 1}, {3, 0, 3, 1}, {-3, 0, 3, 1}, {0, 0, 0, 1}};
    ProjectedVertex p[5];
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
    EXPECT_FALSE(std::isfinite(p[4].sy));
    EXPECT_FALSE(std::isfinite(p[4].sz));
}

} // namespace
