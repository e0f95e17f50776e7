// mesh_file.h - writes small mesh files for the show's tests, chunk after
// chunk from offset 0, so every tag is 4-aligned.
#ifndef LUMIVEX_TESTS_MESH_FILE_H
#define LUMIVEX_TESTS_MESH_FILE_H

#include <string>
#include <vector>

#include "mesh/mesh.h"

struct MeshFile {
    std::vector<Vertex4> vertices; // w is not written
    std::vector<Face> faces;
    std::vector<TexFace> tex_faces;       // written with their count when not empty
    std::vector<TexVertex> tex_vertices;  // likewise
    std::vector<VertexColour> colours;    // written when not empty
};

bool write_mesh_file(const std::string &path, const MeshFile &mesh);

// A tetrahedron about the origin with extent 2, texture faces and vertices
// and a colour per vertex: enough for every draw mode.
MeshFile tetrahedron();

#endif
