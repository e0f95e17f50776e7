// mesh.h - meshes of the show: the tagged mesh file reader and the mesh operations.
//
// A mesh file is a flat run of chunks, each an 8-byte ASCII tag at a 4-aligned
// offset followed by its data; chunks are found by searching, and the size of a
// list follows from a count stored in another chunk. Faces, texture faces,
// texture vertices and colours are used in place inside the file block; only
// vertices and normals are expanded to Vertex4.
//
// mesh_load guarantees more than the format itself does: a mesh it gives back
// has 0 <= vertex_count <= MAX_VERTICES, every face index inside the vertex
// list, and each optional list either absent or usable by every face (see
// mesh_load.cpp for which bad chunk rejects the file and which is dropped).
// Whether an optional list is there is told by its pointer, not its count.
#ifndef LUMIVEX_MESH_H
#define LUMIVEX_MESH_H

#include <stdint.h>

// Four 32-bit floats; model-space vertices and face normals carry w = 1.0.
struct Vertex4 {
    float x, y, z, w;
};

// The file's 12-byte records, used in place.
struct Face {
    int32_t v[3];  // vertex indices
};

struct TexFace {
    int32_t t[3];  // texture-vertex indices of the face's corners, in the face's order
};

struct TexVertex {
    float u, v;
    uint32_t unused;
};

struct VertexColour {
    float red, green, blue;  // 0.0 to 1.0
};

const int32_t MAX_VERTICES = 1000;

struct Mesh {
    int32_t vertex_count;
    Vertex4 *vertices;  // owned by this mesh; clones have their own
    int32_t face_count;
    Face *faces;       // inside file_data
    Vertex4 *normals;  // one per face; shared by clones
    int32_t tex_face_count;
    TexFace *tex_faces;  // inside file_data, or null
    int32_t tex_vertex_count;
    TexVertex *tex_vertices;   // inside file_data, or null
    VertexColour *colours;     // inside file_data, or null
    unsigned char *file_data;  // the whole file as read
};

// The whole file in one heap block, its length in *length; null when the file
// cannot be opened or the block cannot be allocated.
unsigned char *read_whole_file(const char *path, uint32_t *length);

// The data position right after the first 4-aligned occurrence of the 8-byte
// tag, or null when there is none.
unsigned char *find_tag(const char *tag, unsigned char *data, uint32_t length);

// count packed (x, y, z) float triples into Vertex4 records with w = 1.0.
void expand_xyz(const float *source, Vertex4 *destination, int32_t count);

Mesh *mesh_load(const char *path);
Mesh *mesh_clone(const Mesh *mesh);
// Scales about the origin so the largest bounding-box extent becomes size:
// 1, or 0 (and no change) when that extent is 0.
int mesh_normalise(Mesh *mesh, float size);
// Does nothing: the show draws the same mesh again on its next pass.
void mesh_release(Mesh *mesh);

#endif
