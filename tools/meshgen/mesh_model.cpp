// mesh_model.cpp - building a model face by face, wound to face outward.

#include "mesh_model.h"

#include <cmath>
#include <utility>

void MeshModel::add_face(Index3 v, Float3 outward)
{
    const Float3 &a = vertices[v[0]], &b = vertices[v[1]], &c = vertices[v[2]];
    double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
    double wx = c.x - a.x, wy = c.y - a.y, wz = c.z - a.z;
    double nx = uy * wz - uz * wy, ny = uz * wx - ux * wz, nz = ux * wy - uy * wx;
    if (nx * outward.x + ny * outward.y + nz * outward.z < 0) {
        std::swap(v[1], v[2]);
        nx = -nx, ny = -ny, nz = -nz;
    }
    double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    faces.push_back(v);
    normals.push_back({float(nx / length), float(ny / length), float(nz / length)});
}

void MeshModel::add_face(Index3 v, Index3 t, Float3 outward)
{
    add_face(v, outward);
    // Keep the texture corners paired with the vertex corners, swapped or not.
    if (faces.back()[1] != v[1])
        std::swap(t[1], t[2]);
    tex_faces.push_back(t);
}
