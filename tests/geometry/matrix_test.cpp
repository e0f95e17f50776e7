// The matrix product's rounding, which the golden frames do not show: the
// rest of the module is judged by them.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/matrix.h"

namespace {

// Sums run in float from the left: 1 + 2^-24 + 2^-24 stays 1.
TEST(Matrix, MultiplySumsInFloatFromTheLeft)
{
    Matrix4 left = {}, right = {};
    left.m[0] = left.m[1] = left.m[2] = 1.0f;
    right.m[0] = 1.0f;
    right.m[4] = right.m[8] = std::ldexp(1.0f, -24);
    matrix_load(left);
    matrix_multiply(right);
    EXPECT_EQ(current_matrix.m[0], 1.0f);
}

}  // namespace
