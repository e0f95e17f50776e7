// The matrix module: its numbers to the bit where the show's look depends on
// them, and the order in which model_matrix composes.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <vector>

#include "geometry/matrix.h"
#include "geometry/transform.h"

namespace {

uint32_t bits(float f)
{
    return std::bit_cast<uint32_t>(f);
}

Vertex4 apply(Vertex4 p) // p through current_matrix
{
    Vertex4 out;
    transform_vertices(&out, &p, 1);
    return out;
}

TEST(Matrix, RotationsFallShortByTheFactorOnly)
{
    EXPECT_EQ(bits(DEG_TO_RAD), 0x3C8EFA2Eu);
    // The angle reaches cosine and sine unrounded: c is the shortfall of
    // DEG_TO_RAD (about 1.19e-6 at 90 degrees), not that of a float product.
    const Matrix4 &z90 = matrix_rotate_z(90.0f);
    EXPECT_EQ(z90.m[1], 1.0f);
    EXPECT_EQ(z90.m[4], -1.0f);
    EXPECT_EQ(bits(z90.m[0]), 0x359F2217u); // 1.1856345e-6
    EXPECT_EQ(z90.m[5], z90.m[0]);
    const Matrix4 &z360 = matrix_rotate_z(360.0f);
    EXPECT_EQ(z360.m[0], 1.0f);
    EXPECT_EQ(bits(z360.m[1]), 0xB69F2217u); // -4.7425378e-6
    EXPECT_EQ(bits(matrix_rotate_x(810.0f).m[5]), 0x37330659u); // the logo, most visible
}

TEST(Matrix, MultiplyRoundsInFloatAndMayTakeTheCurrentMatrix)
{
    Matrix4 m;
    for (int i = 0; i < 16; i++)
        m.m[i] = float(i + 1);
    matrix_load(m);
    matrix_multiply(current_matrix);
    EXPECT_EQ(current_matrix.m[4], 202.0f); // (5 6 7 8) . (1 5 9 13)
    EXPECT_EQ(current_matrix.m[15], 600.0f);

    // Sums run in float from the left: 1 + 2^-24 + 2^-24 stays 1.
    Matrix4 left = {}, right = {};
    left.m[0] = left.m[1] = left.m[2] = 1.0f;
    right.m[0] = 1.0f;
    right.m[4] = right.m[8] = std::ldexp(1.0f, -24);
    matrix_load(left);
    matrix_multiply(right);
    EXPECT_EQ(current_matrix.m[0], 1.0f);
}

TEST(Matrix, ModelMatrixTurnsAboutXThenYThenZThenMoves)
{
    model_matrix({0, 0, 0}, {0, 0, 0});
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(current_matrix.m[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
    model_matrix({0, 0, 0}, {1, 2, 3});
    Vertex4 moved = apply({0, 0, 0, 1});
    EXPECT_EQ(std::vector<float>({moved.x, moved.y, moved.z, moved.w}), std::vector<float>({1, 2, 3, 1}));

    // X takes y to z, then Y takes z to x (the other order would leave z).
    model_matrix({90, 90, 0}, {0, 0, 0});
    Vertex4 turned = apply({0, 1, 0, 1});
    EXPECT_NEAR(turned.x, 1.0f, 1e-5f);
    EXPECT_NEAR(turned.z, 0.0f, 1e-5f);
    // Z takes x to y, and the move comes after the turn.
    model_matrix({0, 0, 90}, {10, 0, 0});
    turned = apply({1, 0, 0, 1});
    EXPECT_NEAR(turned.x, 10.0f, 1e-5f);
    EXPECT_NEAR(turned.y, 1.0f, 1e-5f);
}

} // namespace
