// shell.h - the application shell's parts, for the program's entry and for
// tests. The quit signal and the pump it shares with the show are in pump/.
#ifndef LUMIVEX_SHELL_H
#define LUMIVEX_SHELL_H

#include <windows.h>

#include "pump/pump.h"

// Raised by the dialog's Start, cleared by its Exit.
extern LONG start_requests;

LRESULT CALLBACK main_window_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The start-up dialog (resource 101), run modally; its result is start_requests.
void run_startup_dialog();
INT_PTR CALLBACK startup_dialog_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Tells the user which of the show's files failed to load and why, in a
// message box; 1 then (the program's exit status), 0 when none failed.
int report_load_failure();

// ShowWindow(SW_SHOWNORMAL) and UpdateWindow on the main window.
void show_main_window(HWND hwnd);

// The tick thread: raises each counter once at its start and once every
// 500 ms, until tick_thread_stop is non-zero (nothing in the program sets it).
extern LONG tick_counts[3];
extern LONG tick_thread_stop;
DWORD WINAPI tick_thread_main(LPVOID parameter);

#endif
