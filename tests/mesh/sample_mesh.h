// sample_mesh.h - a small textured, coloured model and its file split into
// chunks, for building well-formed and malformed files alike.
#ifndef LUMIVEX_TEST_SAMPLE_MESH_H
#define LUMIVEX_TEST_SAMPLE_MESH_H

#include <vector>

#include "mesh_model.h"
#include "mesh_writer.h"

using Bytes = std::vector<unsigned char>;

// The chunks of the sample file, in the order encode_mesh writes them.
enum Chunk { VTXNUM, VTXLIST, FACENUM, FACELIST, NMLIST, TVFCNUM, TVFCLIST, TVTXNUM, TVTXLIST, CVTX, CHUNKS };

// A tetrahedron: 4 vertices, 4 faces, 5 texture vertices, 4 texture faces,
// 4 colours.
MeshModel sample_model();

// The file image of a model cut at its tags: one byte string per chunk.
std::vector<Bytes> chunks_of(const MeshModel &model);

// The chunks joined in the given order.
Bytes join(const std::vector<Bytes> &chunks, const std::vector<int> &order);
Bytes join(const std::vector<Bytes> &chunks);

Bytes count_chunk(const char *tag, int32_t count);

#endif
