// models.h - the show's three models.
#ifndef LUMIVEX_MODELS_H
#define LUMIVEX_MODELS_H

#include "mesh_model.h"

MeshModel make_cube();   // pak/cube.dat
MeshModel make_torus();  // pak/torus.dat
MeshModel make_logo();   // pak/3dfx.dat

#endif
