// progress.h - how far an offscreen run that dumps or captures frames has
// come: one line on standard error, rewritten in place, when standard error
// is a terminal; nothing otherwise.
#ifndef LUMIVEX_GLIDE_PROGRESS_H
#define LUMIVEX_GLIDE_PROGRESS_H

#include <cstdint>

// The device has opened; the clock of the run starts.
void progress_start();

// frames have been shown.
void progress_frames(int64_t frames);

// The device has closed: the line is finished.
void progress_end();

#endif
