// mesh_ops.cpp - clone, normalise and release: what the show does to its meshes after
// loading them.
#include <stdlib.h>
#include <string.h>

#include "mesh/mesh.h"

Mesh *mesh_clone(const Mesh *mesh)
{
    int32_t count = mesh->vertex_count > 0 ? mesh->vertex_count : 0;
    uint64_t bytes = (uint64_t)(count > 0 ? count : 1) * sizeof(Vertex4);
    if (bytes > SIZE_MAX)
        return nullptr;

    Mesh *clone = (Mesh *)malloc(sizeof(Mesh));
    Vertex4 *vertices = (Vertex4 *)malloc((size_t)bytes);
    if (!clone || !vertices) {
        free(clone);
        free(vertices);
        return nullptr;
    }
    *clone = *mesh;
    if (count > 0)
        memcpy(vertices, mesh->vertices, (size_t)count * sizeof(Vertex4));
    clone->vertices = vertices;
    return clone;
}

static void widen(float value, float *low, float *high)
{
    if (value < *low)
        *low = value;
    if (value > *high)
        *high = value;
}

int mesh_normalise(Mesh *mesh, float size)
{
    int32_t count = mesh->vertex_count;
    if (count <= 0)
        return 0;

    Vertex4 *v = mesh->vertices;
    float low_x = v[0].x, high_x = v[0].x;
    float low_y = v[0].y, high_y = v[0].y;
    float low_z = v[0].z, high_z = v[0].z;
    for (int32_t i = 1; i < count; i++) {
        widen(v[i].x, &low_x, &high_x);
        widen(v[i].y, &low_y, &high_y);
        widen(v[i].z, &low_z, &high_z);
    }
    float extent_x = high_x - low_x;
    float extent_y = high_y - low_y;
    float extent_z = high_z - low_z;
    float largest = extent_x;
    if (extent_y > largest)
        largest = extent_y;
    if (extent_z > largest)
        largest = extent_z;
    // Also refuses a NaN extent, which would turn every vertex into NaN.
    if (!(largest > 0.0f))
        return 0;

    float factor = size / largest;
    for (int32_t i = 0; i < count; i++) {
        v[i].x = v[i].x * factor;
        v[i].y = v[i].y * factor;
        v[i].z = v[i].z * factor;
    }
    return 1;
}

void mesh_release(Mesh *)
{
    // Deliberately nothing: the show draws the same mesh on its next pass.
}
