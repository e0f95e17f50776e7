#include "recorder.h"

#include <cstdlib>
#include <map>
#include <mutex>

// Before the first test: no real display, ever.
static struct Headless {
    Headless()
    {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    }
} headless;

static std::mutex record_mutex;
static std::map<UINT, LRESULT> answers;

std::vector<Recorded> &recorded()
{
    static std::vector<Recorded> list;
    return list;
}

std::vector<UINT> recorded_messages()
{
    std::lock_guard lock(record_mutex);
    std::vector<UINT> out;
    for (const Recorded &r : recorded())
        out.push_back(r.message);
    return out;
}

static LRESULT CALLBACK recording_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    {
        std::lock_guard lock(record_mutex);
        recorded().push_back({hwnd, message, wParam, lParam});
        auto it = answers.find(message);
        if (it != answers.end())
            return it->second;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void answer_with(UINT message, LRESULT result)
{
    std::lock_guard lock(record_mutex);
    answers[message] = result;
}

void clear_answers()
{
    std::lock_guard lock(record_mutex);
    answers.clear();
}

HWND make_recording_window(const char *title)
{
    static ATOM atom = 0;
    if (!atom) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = recording_proc;
        wc.lpszClassName = "Recorder";
        atom = RegisterClassA(&wc);
    }
    return CreateWindowExA(0, "Recorder", title, WS_OVERLAPPED, CW_USEDEFAULT, CW_USEDEFAULT, 640, 480,
                           nullptr, nullptr, nullptr, nullptr);
}

void drain_messages()
{
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
}
