// show.h - the show: loads its meshes once, then cycles the three effects
// until one of them says stop. Always 0.
#ifndef LUMIVEX_SHOW_H
#define LUMIVEX_SHOW_H

int run_show();

#endif
