// transform.cpp - vertex transform and projection: the two loops every vertex of every mesh
// runs through in every frame. Plain float arithmetic, evaluated left to
// right, each result rounded to a float where it is stored.
#include "geometry/transform.h"

#include "geometry/matrix.h"

void transform_vertices(Vertex4 *out, const Vertex4 *in, int32_t count)
{
    const Matrix4 matrix = current_matrix;
    const float *m = matrix.m;
    for (int32_t i = 0; i < count; i++) {
        const float x = in[i].x, y = in[i].y, z = in[i].z, w = in[i].w;
        out[i].x = x * m[0] + y * m[4] + z * m[8] + w * m[12];
        out[i].y = x * m[1] + y * m[5] + z * m[9] + w * m[13];
        out[i].z = x * m[2] + y * m[6] + z * m[10] + w * m[14];
        out[i].w = x * m[3] + y * m[7] + z * m[11] + w * m[15];
    }
}

void project_vertices(ProjectedVertex *out, const Vertex4 *in, int32_t count)
{
    // No clipping: a vertex at or behind the viewer projects to non-finite or
    // mirrored values, and triangle setup skips every face that uses one.
    for (int32_t i = 0; i < count; i++) {
        const float z = in[i].z;
        out[i].sx = (in[i].x / z + 1.0f) * 0.5f;
        out[i].sy = (in[i].y / z + 1.0f) * 0.5f;
        out[i].sz = z / z;
        out[i].z = z;
    }
}
