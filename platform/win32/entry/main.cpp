// main.cpp - the entry point of a Windows GUI program, for hosts that are not
// Windows: the run-time start-up hands the command line (without the program's
// own name) and the show command to WinMain, and its result is the exit code.
// Around it, what a Linux program is expected to do: answer --help and
// --version, find its data wherever it is started from, and end when the
// terminal asks.
#include <windows.h>

#include "entry.h"

#include <cstdio>
#include <cstring>
#include <string>

// An instance handle is the address the program is loaded at; this is the
// classic one, and it survives a cast to 32 bits like every handle here.
static const intptr_t IMAGE_BASE = 0x400000;

// What a Linux user types first. Answered here, before the program starts:
// the program itself reads no command line.
static const char HELP[] =
    "Usage: lumivex [--help | --version]\n"
    "Lumivex, a real-time 3D demo: a start-up dialog with the credits, then a swinging logo, tumbling\n"
    "cubes and a rocking torus in an endless cycle until any key is pressed.\n"
    "\n"
    "Settings are environment variables:\n"
    "  LUMIVEX_OUTPUT=fullscreen|window|offscreen  where the show is shown (full screen)\n"
    "  LUMIVEX_SCALE=1..8                          the window's size factor\n"
    "  LUMIVEX_DIALOG=start|exit                   answer the start-up dialog without showing it\n"
    "  LUMIVEX_CAPTURE=show.mp4 or show.mkv        record every frame shown as a video\n"
    "  LUMIVEX_DUMP_DIR=frames                     write frames there as PNG files:\n"
    "  LUMIVEX_DUMP_FRAMES=0,720-729               these frames\n"
    "  LUMIVEX_FILTER=card  LUMIVEX_GAMMA=1.3      the looks: the boards' video filter, a brighter\n"
    "  LUMIVEX_COLOUR=32  LUMIVEX_RESOLUTION=2     gamma, true colour, finer edges\n"
    "Alt+Enter switches between the window and full screen; any other key ends the show.\n"
    "Without a display: LUMIVEX_DIALOG=start LUMIVEX_OUTPUT=offscreen lumivex\n"
    "\n"
    "Every setting and exit status: man 6 lumivex\n";

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        bool help = strcmp(argv[i], "--help") == 0;
        if (help || strcmp(argv[i], "--version") == 0) {
            fputs(help ? HELP : "lumivex " LUMIVEX_VERSION "\n", stdout);
            return 0;
        }
    }
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
