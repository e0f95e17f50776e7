// environment.h - test support: a test's settings start from the defaults,
// whatever the shell that runs it has set, and a test of our Glide runs
// offscreen.
#ifndef LUMIVEX_TESTS_SUPPORT_ENVIRONMENT_H
#define LUMIVEX_TESTS_SUPPORT_ENVIRONMENT_H

// Unsets every LUMIVEX_ variable, so that it needs no list of the settings.
void clear_settings();

// Clears the settings, then: offscreen, and unpaced (LUMIVEX_SWAP_INTERVAL=0)
// unless paced.
void set_offscreen(bool paced = false);

#endif
