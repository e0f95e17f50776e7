// mesh_model.h - a model as the generator builds it, before it becomes a file:
// plain lists that match the file's chunks one to one.
#ifndef LUMIVEX_MESH_MODEL_H
#define LUMIVEX_MESH_MODEL_H

#include <array>
#include <cstdint>
#include <vector>

struct Float3 {
    float x, y, z;
};

using Index3 = std::array<int32_t, 3>;

struct TexCoord {
    float u, v;
};

struct MeshModel {
    std::vector<Float3> vertices;
    std::vector<Index3> faces;
    std::vector<Float3> normals;    // one per face
    std::vector<Index3> tex_faces;  // one per face, or none
    std::vector<TexCoord> tex_vertices;
    std::vector<Float3> colours;  // one per vertex, or none

    // Adds the triangle of the vertices v (and, for a textured model, the
    // texture vertices t of the same corners) with its unit normal, turning
    // the corners round if need be so that the normal points along outward.
    void add_face(Index3 v, Float3 outward);
    void add_face(Index3 v, Index3 t, Float3 outward);
};

#endif
