// mesh_files.h - test support: loading byte images as mesh files, freeing what
// the loader allocated, and checking a loaded mesh against the promise that
// the draw modes rely on.
#ifndef LUMIVEX_TEST_MESH_FILES_H
#define LUMIVEX_TEST_MESH_FILES_H

#include <memory>
#include <string>
#include <vector>

#include "mesh/mesh.h"

// Frees a mesh from mesh_load: its block, vertices, normals and record.
void free_mesh(Mesh *mesh);

struct MeshFree {
    void operator()(Mesh *mesh) const { free_mesh(mesh); }
};
using MeshPtr = std::unique_ptr<Mesh, MeshFree>;

// Writes the bytes to a fresh temporary file, loads it and removes the file.
MeshPtr load_bytes(const std::vector<unsigned char> &bytes);

std::vector<unsigned char> read_file(const std::string &path);

// What a draw mode may read without a check, given the file's length: every
// face, its texture face and the texture vertices and colours they name, all
// inside the file block. Empty when all holds, else what does not.
std::string draw_guarantee_violation(const Mesh *mesh, size_t file_length);

#endif
