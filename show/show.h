// show.h - the show: loads its meshes once, then cycles the three effects
// until one of them says stop. Always 0; a file that failed to load is named
// in show_failed_file (show/load_failure.h).
#ifndef LUMIVEX_SHOW_H
#define LUMIVEX_SHOW_H

int run_show();

#endif
