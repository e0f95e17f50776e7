// shell.h - what the application shell shares with the rest of the program:
// the two signal counters and the one-message pump.
#ifndef LUMIVEX_SHELL_H
#define LUMIVEX_SHELL_H

#include <windows.h>

// Raised for every WM_KEYDOWN and WM_DESTROY of the main window; never lowered.
extern LONG quit_requests;
// Raised by the dialog's Start, cleared by its Exit.
extern LONG start_requests;

// Removes and dispatches at most one queued message; never waits. Always 0.
int dispatch_one_message();

LRESULT CALLBACK main_window_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

#endif
