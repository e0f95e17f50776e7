// The entry point of a Windows GUI program, for hosts that are not Windows:
// the run-time start-up hands the command line (without the program's own
// name) and the show command to WinMain, and its result is the exit code.
// Around it, what a Linux program is expected to do: find its data wherever
// it is started from, and end when the terminal asks.
#include <windows.h>

#include "entry.h"

#include <string>

// An instance handle is the address the program is loaded at; this is the
// classic one, and it survives a cast to 32 bits like every handle here.
static const intptr_t IMAGE_BASE = 0x400000;

int main(int argc, char **argv)
{
    std::string command_line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            command_line += ' ';
        command_line += argv[i];
    }
    enter_data_folder();
    watch_end_signals();
    int result =
        WinMain(reinterpret_cast<HINSTANCE>(IMAGE_BASE), nullptr, command_line.data(), SW_SHOWNORMAL);
    return exit_status(result);
}
