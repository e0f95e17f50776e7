// environment.h - test support: a test's settings start from the defaults,
// whatever the shell that runs it has set, and a test of our Glide runs
// offscreen.
#ifndef LUMIVEX_TESTS_SUPPORT_ENVIRONMENT_H
#define LUMIVEX_TESTS_SUPPORT_ENVIRONMENT_H

#include <vector>

// Unsets every LUMIVEX_ variable, so that it needs no list of the settings.
void clear_settings();

// Whether clear_settings unsets each of these names (each set first);
// the ones it leaves are told on stderr.
bool clears_settings(const std::vector<const char *> &names);

// No real display, ever: SDL's dummy video.
void go_headless();

// Clears the settings, then: offscreen, and unpaced (LUMIVEX_SWAP_INTERVAL=0)
// unless paced.
void set_offscreen(bool paced = false);

#endif
