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

// The statuses of what went wrong below the program.
constexpr int EXIT_OUTPUT_FAILED = 5;  // an output asked for was not written whole
constexpr int EXIT_DISPLAY_LOST = 6;   // the display's loss ended the program

// The exit status for WinMain's result, stopping the watch. The first that
// holds: the result when it is not 0 (a data file that failed); 128 + the
// signal's number when a signal asked the program to end; 6 when the
// display's loss ended it (whatever else then failed); 5 when an output could
// not be written whole; else 0.
int exit_status(int winmain_result);

#endif
