// show.h - the show: loads its meshes once, then cycles the three effects
// until one of them says stop. Always 0; a file that failed to load is named
// in show_failed_file (show/load_failure.h).
#ifndef LUMIVEX_SHOW_H
#define LUMIVEX_SHOW_H

#include <windows.h>

#include "mesh/mesh.h"

int run_show();

// The show as the program plays it once Start is chosen: the device started
// and opened on the window (null offscreen), the show run, the device closed.
void play_show(HWND hwnd);

// Whether a loaded mesh is one its draw mode can read whole; textured and
// coloured name the lists that mode reads for every face. The show draws no
// mesh that fails this.
bool drawable(const Mesh *mesh, bool textured, bool coloured);

#endif
