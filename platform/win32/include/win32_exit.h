/* win32_exit.h - how our stand-ins tell the process's end that something a
   person asked for did not happen. A Windows program ends with what WinMain
   returns, and this one always returns 0 after a show; a script on Linux
   needs to know when there was no display, an output was not written, or the
   display went away. The status asked for is taken when the program itself
   ends with 0 and no signal ended it. */
#ifndef LUMIVEX_WIN32_EXIT_H
#define LUMIVEX_WIN32_EXIT_H

#ifdef __cplusplus
extern "C" {
#endif

/* The statuses, documented with the others in the README and lumivex(6). */
enum {
    WIN32_EXIT_NO_DISPLAY = 4,    /* no display to show the start-up dialog */
    WIN32_EXIT_OUTPUT_FAILED = 5, /* a capture, dump or trace not written whole */
    WIN32_EXIT_DISPLAY_LOST = 6   /* the display connection went away */
};

/* Asks for this status at the end; of several, the highest is taken. Safe
   from any thread. */
void win32_exit_status_at_least(int status);

/* The highest status asked for so far, 0 when none. */
int win32_exit_status_asked(void);

#ifdef __cplusplus
}
#endif

#endif
