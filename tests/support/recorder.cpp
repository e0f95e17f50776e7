// recorder.cpp - a window class that writes down every message; see recorder.h.
#include "recorder.h"

#include "environment.h"

// Before the first test.
static const bool headless = (go_headless(), true);

// The one message answered, and the answer (0: none).
static UINT answered;
static LRESULT answer;

std::vector<Recorded> &recorded()
{
    static std::vector<Recorded> list;
    return list;
}

std::vector<UINT> recorded_messages()
{
    std::vector<UINT> out;
    for (const Recorded &r : recorded())
        out.push_back(r.message);
    return out;
}

// A message sent from another thread is delivered on the window's own: no
// two threads record at once.
static LRESULT CALLBACK recording_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    recorded().push_back({hwnd, message, wParam, lParam});
    return message == answered ? answer : DefWindowProcA(hwnd, message, wParam, lParam);
}

void answer_with(UINT message, LRESULT result)
{
    answered = message;
    answer = result;
}

HWND make_window(WNDPROC proc, const char *class_name, const char *title)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.lpszClassName = class_name;
    RegisterClassA(&wc);  // fails, harmlessly, from the second window of the class on
    return CreateWindowExA(0, class_name, title, WS_OVERLAPPED, CW_USEDEFAULT, CW_USEDEFAULT, 640, 480,
                           nullptr, nullptr, nullptr, nullptr);
}

HWND make_recording_window(const char *title)
{
    return make_window(recording_proc, "Recorder", title);
}

void drain_messages()
{
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
}
