// show.h - the show: loads its meshes once, then cycles the three effects
// until one of them says stop. Always 0; a file that failed to load is named
// in show_failed_file (show/load_failure.h).
#ifndef LUMIVEX_SHOW_H
#define LUMIVEX_SHOW_H

#include "mesh/mesh.h"

int run_show();

// Whether a loaded mesh is one its draw mode can read whole; textured and
// coloured name the lists that mode reads for every face. The show draws no
// mesh that fails this.
bool drawable(const Mesh *mesh, bool textured, bool coloured);

#endif
