// recorder.h - a window class whose procedure writes down every message it
// gets, for the tests of the window layer. Headless: SDL's dummy video.
#ifndef LUMIVEX_TESTS_WIN32_RECORDER_H
#define LUMIVEX_TESTS_WIN32_RECORDER_H

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct Recorded {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Messages seen by recording windows, in order.
std::vector<Recorded> &recorded();
std::vector<UINT> recorded_messages();

// A hidden 640x480 window of a class with this procedure, registered with
// the first window.
HWND make_window(WNDPROC proc, const char *class_name, const char *title);

// A hidden window of the recording class; its procedure passes what it
// records on to DefWindowProcA but the message answer_with names.
HWND make_recording_window(const char *title = "test");

// What the recording procedure returns for one message (instead of
// DefWindowProcA's answer); 0 answers none.
void answer_with(UINT message, LRESULT result);

// Removes every message queued for this thread, undispatched.
void drain_messages();

// A fresh window for each test (of the recording class unless make says
// otherwise), destroyed after it; the queue drained and the records cleared
// either side.
class RecordingTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        drain_messages();
        hwnd = make();
        ASSERT_NE(hwnd, nullptr);
        drain_messages();
        recorded().clear();
        answer_with(0, 0);
    }
    void TearDown() override
    {
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
        drain_messages();
    }
    virtual HWND make() { return make_recording_window(); }
    HWND hwnd = nullptr;
};

#endif
