// tick_thread.cpp - the tick thread: three counters that rise twice a second.
#include "app/shell.h"

// Nothing in the program reads the counters, and nothing sets the stop flag:
// they are the thread's whole contract, kept as the program has always had it.
const DWORD TICK_INTERVAL_MS = 500;

LONG tick_counts[3] = {0, 0, 0};
LONG tick_thread_stop = 0;

DWORD WINAPI tick_thread_main(LPVOID)
{
    while (!tick_thread_stop) {
        tick_counts[0]++;
        tick_counts[1]++;
        tick_counts[2]++;
        Sleep(TICK_INTERVAL_MS);
    }
    return 0;
}
