// The matrix module: its numbers to the bit where the show's look depends on
// them, and the order in which model_matrix composes.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "geometry/matrix.h"
#include "geometry/transform.h"

namespace {

uint32_t bits(float f)
{
    return std::bit_cast<uint32_t>(f);
}

// The point p through current_matrix.
Vertex4 apply(Vertex4 p)
{
    Vertex4 out;
    transform_vertices(&out, &p, 1);
    return out;
}

TEST(Matrix, RotationsFallShortByTheFactorOnly)
{
    EXPECT_EQ(bits(DEG_TO_RAD), 0x3C8EFA2Eu);

    // The angle reaches cosine and sine unrounded: c is the shortfall of
    // DEG_TO_RAD (about 1.19e-6 at 90 degrees), not of a float product.
    const Matrix4 &z90 = matrix_rotate_z(90.0f);
    EXPECT_EQ(z90.m[1], 1.0f);                // s
    EXPECT_EQ(bits(z90.m[0]), 0x359F2217u);   // c = 1.1856345e-6
    EXPECT_EQ(z90.m[5], z90.m[0]);
    EXPECT_EQ(z90.m[4], -1.0f);               // -s
    const Matrix4 &z360 = matrix_rotate_z(360.0f);
    EXPECT_EQ(z360.m[0], 1.0f);
    EXPECT_EQ(bits(z360.m[1]), 0xB69F2217u);  // s = -4.7425378e-6
    // The logo's X angle at its most visible moment.
    EXPECT_EQ(bits(matrix_rotate_x(810.0f).m[5]), 0x37330659u);
}

TEST(Matrix, PositiveAnglesTurnEachAxisTowardTheNext)
{
    const Vertex4 x = {1, 0, 0, 1}, y = {0, 1, 0, 1}, z = {0, 0, 1, 1};
    matrix_load(matrix_rotate_x(90.0f));
    EXPECT_EQ(apply(y).z, 1.0f);
    EXPECT_EQ(apply(z).y, -1.0f);
    matrix_load(matrix_rotate_y(90.0f));
    EXPECT_EQ(apply(z).x, 1.0f);
    EXPECT_EQ(apply(x).z, -1.0f);
    matrix_load(matrix_rotate_z(90.0f));
    EXPECT_EQ(apply(x).y, 1.0f);
    EXPECT_EQ(apply(y).x, -1.0f);
}

TEST(Matrix, BuildersOwnOneStaticMatrixEach)
{
    const Matrix4 &first = matrix_rotate_x(30.0f);
    matrix_load(matrix_translate(1, 2, 3));
    const Matrix4 &second = matrix_rotate_x(60.0f);
    EXPECT_EQ(&first, &second);
    EXPECT_NEAR(first.m[5], 0.5f, 1e-5f); // the first reference shows the second angle
    matrix_rotate_y(45.0f);
    matrix_identity();
    EXPECT_NEAR(second.m[5], 0.5f, 1e-5f);
    EXPECT_EQ(current_matrix.m[13], 2.0f);
}

TEST(Matrix, MultiplyMaySquareTheCurrentMatrix)
{
    Matrix4 m;
    for (int i = 0; i < 16; i++)
        m.m[i] = float(i + 1);
    matrix_load(m);
    matrix_multiply(current_matrix);
    // Row 1 of the square is (5 6 7 8) times the columns of m.
    EXPECT_EQ(current_matrix.m[4], 202.0f);
    EXPECT_EQ(current_matrix.m[7], 280.0f);
    EXPECT_EQ(current_matrix.m[15], 600.0f);

    // Sums are taken in float from left to right: 1 + 2^-24 + 2^-24 stays 1.
    const float tiny = std::ldexp(1.0f, -24);
    Matrix4 left = {}, right = {};
    left.m[0] = left.m[1] = left.m[2] = 1.0f;
    right.m[0] = 1.0f;
    right.m[4] = right.m[8] = tiny;
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
    EXPECT_EQ(moved.x, 1.0f);
    EXPECT_EQ(moved.y, 2.0f);
    EXPECT_EQ(moved.z, 3.0f);
    EXPECT_EQ(moved.w, 1.0f);

    // X first takes y to z, then Y takes z to x; the other order would leave z.
    model_matrix({90, 90, 0}, {0, 0, 0});
    Vertex4 turned = apply({0, 1, 0, 1});
    EXPECT_NEAR(turned.x, 1.0f, 1e-5f);
    EXPECT_NEAR(turned.z, 0.0f, 1e-5f);

    // Then Z, and the move comes last: (1, 0, 0) turns to y before moving.
    model_matrix({0, 0, 90}, {10, 0, 0});
    turned = apply({1, 0, 0, 1});
    EXPECT_NEAR(turned.x, 10.0f, 1e-5f);
    EXPECT_NEAR(turned.y, 1.0f, 1e-5f);
}

} // namespace
