// recorder.h - a window class whose procedure writes down every message it
// gets, for the tests of the window layer. Headless: SDL's dummy video.
#ifndef LUMIVEX_TESTS_WIN32_RECORDER_H
#define LUMIVEX_TESTS_WIN32_RECORDER_H

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

struct Recorded {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Messages seen by recording windows, in order, from every thread.
std::vector<Recorded> &recorded();
std::vector<UINT> recorded_messages();

// A hidden window of the recording class; its procedure passes what it
// records on to DefWindowProcA unless `answer` has something for it.
HWND make_recording_window(const char *title = "test");

// What the recording procedure returns for one message (instead of
// DefWindowProcA's answer).
void answer_with(UINT message, LRESULT result);
void clear_answers();

// Runs before the first test: no real display, ever.
struct HeadlessEnvironment {
    HeadlessEnvironment()
    {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    }
};

#endif
