// mesh.cpp - fuzzes the mesh reader: file bytes to mesh_load, then what the
// show does before drawing (the drawable check, clones, normalising) and a
// read of every list entry a draw mode would index, so that a mesh passed as
// drawable but reaching outside its file fails here. Nothing is drawn.
#include "fuzz/memory_file.h"
#include "show/show.h"

#include <cstdlib>

namespace {

volatile float sink;

// Reads what the draw modes read for each face; the sanitizers do the rest.
void read_as_drawn(const Mesh *m, bool textured, bool coloured)
{
    float sum = 0;
    for (int32_t f = 0; f < m->face_count; ++f) {
        for (int c = 0; c < 3; ++c) {
            int32_t v = m->faces[f].v[c];
            sum += m->vertices[v].x;
            if (coloured)
                sum += m->colours[v].red;
            if (textured)
                sum += m->tex_vertices[m->tex_faces[f].t[c]].u;
        }
        sum += m->normals[f].z;
    }
    sink = sum;
}

void free_mesh(Mesh *m, bool clone)
{
    if (!clone) {
        std::free(m->normals);
        std::free(m->file_data);
    }
    std::free(m->vertices);
    std::free(m);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Mesh *mesh = mesh_load(memory_file(data, size));
    if (!mesh)
        return 0;
    for (int mode = 0; mode < 4; ++mode) {
        bool textured = mode & 1, coloured = mode & 2;
        if (drawable(mesh, textured, coloured))
            read_as_drawn(mesh, textured, coloured);
    }
    if (Mesh *clone = mesh_clone(mesh)) {
        mesh_normalise(clone, 400.0f);
        free_mesh(clone, true);
    }
    mesh_normalise(mesh, 100.0f);
    free_mesh(mesh, false);
    return 0;
}
