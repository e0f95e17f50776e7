// A page has no terminal to ask the program to end: closing the tab ends it
// outright. Nothing to watch, and WinMain's result stands.
#include "../win32/entry/entry.h"

void watch_end_signals() {}

int exit_status(int winmain_result)
{
    return winmain_result;
}
