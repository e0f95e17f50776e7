// matrix.cpp - the matrix module. Every element is a 32-bit float rounded where it is
// stored; angles go through the float DEG_TO_RAD, so the show's rotations are
// a hair short of their nominal angles, as they always have been.
#include "geometry/matrix.h"

#include <math.h>

Matrix4 current_matrix;

// The literal rounds to the bit pattern 0x3C8EFA2E (checked by the tests).
const float DEG_TO_RAD = 0.01745328f;

static Matrix4 identity_matrix;
static Matrix4 rotate_x_matrix;
static Matrix4 rotate_y_matrix;
static Matrix4 rotate_z_matrix;
static Matrix4 translate_matrix;

static void set_identity(Matrix4 *m)
{
    for (int i = 0; i < 16; i++)
        m->m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

// The angle is never stored, so it is not rounded to a float: the product of
// two floats is exact in a double. Only the cosine and sine are rounded, and
// so rotate_z(90) has c = 1.1856e-6 and rotate_z(360) s = -4.7425e-6, the
// shortfall of DEG_TO_RAD and nothing else.
static void angle_cos_sin(float degrees, float *c, float *s)
{
    double radians = (double)degrees * (double)DEG_TO_RAD;
    *c = (float)cos(radians);
    *s = (float)sin(radians);
}

const Matrix4 &matrix_identity()
{
    set_identity(&identity_matrix);
    return identity_matrix;
}

// Each rotation leaves the identity but for the 2x2 block of the two axes it
// turns: (a, a) = c, (a, b) = s, (b, a) = -s, (b, b) = c, so that with row
// vectors the first axis turns toward the second.
static const Matrix4 &rotation(Matrix4 *m, int a, int b, float degrees)
{
    float c, s;
    angle_cos_sin(degrees, &c, &s);
    set_identity(m);
    m->m[4 * a + a] = c;
    m->m[4 * a + b] = s;
    m->m[4 * b + a] = -s;
    m->m[4 * b + b] = c;
    return *m;
}

const Matrix4 &matrix_rotate_x(float degrees)
{
    return rotation(&rotate_x_matrix, 1, 2, degrees);  // y toward z
}

const Matrix4 &matrix_rotate_y(float degrees)
{
    return rotation(&rotate_y_matrix, 2, 0, degrees);  // z toward x
}

const Matrix4 &matrix_rotate_z(float degrees)
{
    return rotation(&rotate_z_matrix, 0, 1, degrees);  // x toward y
}

const Matrix4 &matrix_translate(float x, float y, float z)
{
    set_identity(&translate_matrix);
    translate_matrix.m[12] = x;
    translate_matrix.m[13] = y;
    translate_matrix.m[14] = z;
    return translate_matrix;
}

void matrix_load(const Matrix4 &m)
{
    current_matrix = m;
}

void matrix_multiply(const Matrix4 &m)
{
    // m may be current_matrix itself, so both operands are copied first.
    const Matrix4 right = m;
    const Matrix4 left = current_matrix;
    for (int i = 0; i < 4; i++) {
        for (int j = 0; j < 4; j++) {
            const float *row = &left.m[4 * i];
            current_matrix.m[4 * i + j] = row[0] * right.m[j] + row[1] * right.m[4 + j] +
                                          row[2] * right.m[8 + j] + row[3] * right.m[12 + j];
        }
    }
}

void model_matrix(const Vector3 &angles, const Vector3 &position)
{
    matrix_load(matrix_identity());
    if (angles.x != 0.0f)
        matrix_multiply(matrix_rotate_x(angles.x));
    if (angles.y != 0.0f)
        matrix_multiply(matrix_rotate_y(angles.y));
    if (angles.z != 0.0f)
        matrix_multiply(matrix_rotate_z(angles.z));
    matrix_multiply(matrix_translate(position.x, position.y, position.z));
}
