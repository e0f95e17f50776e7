// geometry_test.cpp - the geometry module's rounding and the values triangle
// setup reads: the matrix product and the transform sum in float from the
// left, projection; the rest of the module is judged by the golden frames.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "geometry/matrix.h"
#include "geometry/transform.h"

namespace {

// The product and the transform sum in float from the left: 1 + 2^-24 +
// 2^-24 stays 1.
TEST(Transform, RowVectorTimesTheMatrixAndTheProductSummedInFloat)
{
    Vertex4 in[2] = {{1, 2, 4, 0}, {9, 9, 9, 9}}, eye[2] = {{}, {7, 7, 7, 7}};
    matrix_load(matrix_translate(5, 6, 7));
    transform_vertices(eye, in, 1);
    EXPECT_EQ(eye[0].x, 1.0f);  // w = 0: not moved
    EXPECT_EQ(eye[0].z, 4.0f);
    EXPECT_EQ(eye[1].x, 7.0f);  // count respected
    transform_vertices(eye, in, 0);
    transform_vertices(eye, in, -1);
    EXPECT_EQ(eye[0].x, 1.0f);

    Matrix4 left = {}, right = {};
    left.m[0] = left.m[1] = left.m[2] = 1.0f;
    right.m[0] = 1.0f;
    right.m[4] = right.m[8] = std::ldexp(1.0f, -24);
    matrix_load(left);
    matrix_multiply(right);
    EXPECT_EQ(current_matrix.m[0], 1.0f);
    matrix_load(right);
    in[0] = {1, 1, 1, 0};
    transform_vertices(eye, in, 1);
    EXPECT_EQ(eye[0].x, 1.0f);
}

TEST(Projection, ScreenFractionsFromXAndYOverZ)
{
    const Vertex4 eye[] = {{1, 2, 4, 1}, {0, 0, 0, 1}};
    ProjectedVertex p[3];
    p[2].sx = 9.0f;
    project_vertices(p, eye, 2);
    EXPECT_EQ((std::vector<float>{p[0].sx, p[0].sy, p[0].sz, p[0].z}),
              (std::vector<float>{0.625f, 0.75f, 1, 4}));
    // At the viewer's depth nothing is finite; triangle setup skips the face.
    EXPECT_FALSE(std::isfinite(p[1].sx));
    EXPECT_FALSE(std::isfinite(p[1].sz));
    EXPECT_EQ(p[2].sx, 9.0f);
}

}  // namespace
