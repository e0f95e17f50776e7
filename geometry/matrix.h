// matrix.h - the matrix module: 4x4 row-major matrices applied to row vectors
// (p' = p x M, translation in row 3), and the one current_matrix that every
// mesh's model matrix is built into.
#ifndef LUMIVEX_MATRIX_H
#define LUMIVEX_MATRIX_H

#include <stdint.h>

// Rotation angles in degrees (about X, then Y, then Z) or a position.
struct Vector3 {
    float x, y, z;
};

struct Matrix4 {
    float m[16];  // element (row r, column c) is m[4 * r + c]
};

extern Matrix4 current_matrix;

// 0.01745328 as a float (bit pattern 0x3C8EFA2E), a little short of pi/180:
// every rotation turns by 0.99999925 of its nominal angle.
extern const float DEG_TO_RAD;

// Each builder writes into a static matrix of its own and returns it; the
// result stays valid until the next call of the same builder.
const Matrix4 &matrix_identity();
const Matrix4 &matrix_rotate_x(float degrees);
const Matrix4 &matrix_rotate_y(float degrees);
const Matrix4 &matrix_rotate_z(float degrees);
const Matrix4 &matrix_translate(float x, float y, float z);

void matrix_load(const Matrix4 &m);
// current_matrix = current_matrix x m; m may be current_matrix itself.
void matrix_multiply(const Matrix4 &m);
// current_matrix = rotate X x rotate Y x rotate Z x translate(position).
void model_matrix(const Vector3 &angles, const Vector3 &position);

#endif
