// draw_modes.h - the show's three ways of putting a mesh on screen for one
// frame: model matrix, transform, projection, then triangle setup of every
// face in order. The meshes must have at most MAX_VERTICES vertices; the logo
// needs texture faces and vertices, the torus those and vertex colours.
#ifndef LUMIVEX_DRAW_MODES_H
#define LUMIVEX_DRAW_MODES_H

#include <glide.h>

#include "geometry/matrix.h"
#include "mesh/mesh.h"
#include "render/triangle.h"

// The logo's texture, stored by the logo effect and selected by draw_logo.
extern GrMipMapId_t logo_texture;

// The vertex records the draw modes fill: the logo's own three, and three
// shared by the cube and the torus (so a cube keeps the torus's last colours).
extern GrVertex logo_corner_vertices[3];
extern GrVertex corner_vertices[3];

// Sets the logo's constant colour and selects logo_texture itself.
void draw_logo(const Vector3 &angles, const Vector3 &position, const Mesh *mesh);
// The caller selects the texture.
void draw_cube(const Mesh *mesh, const Vector3 &angles, const Vector3 &position);
void draw_torus(const Mesh *mesh, const Vector3 &angles, const Vector3 &position);

// What draw_torus gives face i's corners: its texture coordinates and vertex
// colours, scaled to the device's units. For drawing the torus elsewhere too.
void torus_corners(const Mesh *mesh, int32_t i, CornerValues &corners);

#endif
