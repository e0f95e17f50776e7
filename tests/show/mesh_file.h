// mesh_file.h - small mesh files for the show's tests, written with the mesh
// generator's own writer.
#ifndef LUMIVEX_TESTS_MESH_FILE_H
#define LUMIVEX_TESTS_MESH_FILE_H

#include <string>

#include "mesh_writer.h"

bool write_mesh_file(const std::string &path, const MeshModel &model);

// A tetrahedron about the origin with extent 2, texture faces and vertices
// and a colour per vertex: enough for every draw mode, and quick to draw.
MeshModel tetrahedron();

#endif
