// effects.h - the show's asset set and its three effects. Each effect sets
// its Glide state and loads its texture when it starts, then runs its frames:
// 1 when all have run, 0 when its texture failed to load or a quit was asked.
#ifndef LUMIVEX_EFFECTS_H
#define LUMIVEX_EFFECTS_H

#include <glide.h>

#include "geometry/matrix.h"
#include "mesh/mesh.h"

// Set once by run_show; the effects only read them.
extern Mesh *torus_mesh;
extern Mesh *logo_mesh;
extern Mesh *cube_mesh;
extern Mesh *cube_clones[3];  // sizes 200, 300, 400

// The texture of the running cubes or torus effect (the logo keeps its own,
// logo_texture, which draw_logo selects).
extern GrMipMapId_t effect_texture;

// pi / 360 as the show has always written it: 3.141592654 / 360.
extern const double K;

int logo_setup();
int cubes_setup();
int logo_effect();
int cubes_effect();
int torus_effect();

// Where the torus effect puts the torus, and its angles in the effect's frame
// i, counted from 0.
extern const Vector3 TORUS_POSITION;
Vector3 torus_angles(int32_t i);

#endif
