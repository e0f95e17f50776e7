// end_signals.cpp - a page has no terminal to ask the program to end: closing
// the tab ends it outright. Nothing to watch: WinMain's result stands, or what
// our stand-ins asked for.
#include "../entry/entry.h"

#include <win32_exit.h>

void watch_end_signals() {}

int exit_status(int winmain_result)
{
    return winmain_result != 0 ? winmain_result : win32_exit_status_asked();
}
