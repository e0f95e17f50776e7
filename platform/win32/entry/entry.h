// entry.h - what our program entry does around WinMain on a host that is not
// Windows: find the data, and turn the terminal's requests to end into the
// messages a Windows program understands.
#ifndef LUMIVEX_WIN32_ENTRY_H
#define LUMIVEX_WIN32_ENTRY_H

// Makes the working folder the one that holds pak/: the current folder if
// it has pak/, else the executable's folder if it has, else the installed
// data folder (LUMIVEX_DATA_FROM_BIN, relative to the executable's folder).
// Without any, the working folder stays and the program reports the first
// file it misses.
void enter_data_folder();

// From now on SIGINT, SIGTERM and SIGHUP ask the program to end: a dialog
// that is up is closed as its Exit would be, and every visible top-level
// window gets a key press, as a person ending the show would give it. A
// second signal ends the process at once.
void watch_end_signals();

// The exit status for WinMain's result: a non-zero result as it is; for 0,
// 128 + the signal's number when a signal asked the program to end, else
// the status our stand-ins asked for (win32_exit.h: 6 when the display's
// loss ended it, whatever else then failed; 5 when an output could not be
// written whole). Stops the watch.
int exit_status(int winmain_result);

#endif
