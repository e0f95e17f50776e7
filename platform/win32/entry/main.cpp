// The entry point of a Windows GUI program, for hosts that are not Windows:
// the run-time start-up hands the command line (without the program's own
// name) and the show command to WinMain, and its result is the exit code.
#include <windows.h>

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
    return WinMain(reinterpret_cast<HINSTANCE>(IMAGE_BASE), nullptr, command_line.data(), SW_SHOWNORMAL);
}
