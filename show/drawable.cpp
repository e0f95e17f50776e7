// drawable.cpp - the check the show makes of each mesh before it draws it.
#include "show/show.h"

// The work arrays hold MAX_VERTICES, and textured or coloured modes index
// those lists for every face.
bool drawable(const Mesh *mesh, bool textured, bool coloured)
{
    if (mesh->vertex_count > MAX_VERTICES)
        return false;
    if (textured && (!mesh->tex_faces || !mesh->tex_vertices))
        return false;
    if (coloured && !mesh->colours)
        return false;
    return true;
}
