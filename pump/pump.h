// pump.h - the quit signal and the one-message pump: what the show needs of
// the application shell, kept below the show so that it depends on no shell.
// The main window's procedure (app/) raises the signal; the effects read it
// and call the pump once a frame.
#ifndef LUMIVEX_PUMP_H
#define LUMIVEX_PUMP_H

#include <windows.h>

// Raised for every WM_KEYDOWN and WM_DESTROY of the main window; never lowered.
extern LONG quit_requests;

// Removes and dispatches at most one queued message; never waits. Always 0.
int dispatch_one_message();

// For programs that run the show without its main window (the benchmarks, the
// tests' probe): the pump of frame n, counted from 0, calls on_frame(n),
// through a hidden window that keeps one message queued.
void call_each_frame(void (*on_frame)(long frame));

#endif
