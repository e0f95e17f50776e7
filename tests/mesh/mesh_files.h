// mesh_files.h - test support: mesh files as bytes (a small sample model cut
// into its chunks), loading them, and checking a loaded mesh against what the
// draw modes index without a check.
#ifndef LUMIVEX_TEST_MESH_FILES_H
#define LUMIVEX_TEST_MESH_FILES_H

#include <memory>
#include <string>
#include <vector>

#include "mesh/mesh.h"
#include "mesh_writer.h"

using Bytes = std::vector<unsigned char>;

struct MeshFree {
    void operator()(Mesh *mesh) const;  // frees all that mesh_load allocated
};
using MeshPtr = std::unique_ptr<Mesh, MeshFree>;

// Loads the bytes through a temporary file.
MeshPtr load_bytes(const Bytes &bytes);

// A tetrahedron: 4 vertices, 4 faces, 5 texture vertices, 4 texture faces and
// 4 colours; its chunks in the order encode_mesh writes them.
enum Chunk { VTXNUM, VTXLIST, FACENUM, FACELIST, NMLIST, TVFCNUM, TVFCLIST, TVTXNUM, TVTXLIST, CVTX, CHUNKS };
MeshModel sample_model();
std::vector<Bytes> chunks_of(const MeshModel &model);
Bytes join(const std::vector<Bytes> &chunks, std::vector<int> order = {});
Bytes count_chunk(const char *tag, int32_t count);

// Empty when a draw mode can read every face, its texture face and the
// texture vertices and colours they name, all inside the file; else what fails.
std::string draw_guarantee_violation(const Mesh *mesh, size_t file_length);

#endif
