// host.cpp - the host's clock, the scripted key press and the word of a
// failed output.
#include "host.h"

#include <windows.h>
#if defined(_WIN32)
#include <mmsystem.h>
#else
#include <win32_exit.h>
#endif

#include <chrono>
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
#include <thread>
#endif

namespace {

struct HostClock : lumivex::GlideClock {
#if defined(_WIN32)
    // Sleep counts in steps of the system's timer, 15.6 ms unless a program
    // asks for finer: the clock asks for 1 ms while it lives, so that a sleep
    // to the deadline wakes within about a millisecond of it and nothing
    // spins.
    HostClock()
    {
        timeBeginPeriod(1);
    }
    ~HostClock()
    {
        timeEndPeriod(1);
    }
#endif
    int64_t now() override
    {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    void sleep_until(int64_t deadline) override
    {
        for (int64_t t = now(); t < deadline; t = now()) {
#if defined(_WIN32)
            // Whole milliseconds, rounded up: the frame is never early.
            Sleep((DWORD)((deadline - t + 999999) / 1000000));
#elif defined(__EMSCRIPTEN__)
            // In a browser every sleep wakes on the page's animation frames.
            DWORD ms = (DWORD)((deadline - t) / 1000000);
            Sleep(ms > 1 ? ms - 1 : 0);
#else
            std::this_thread::sleep_for(std::chrono::nanoseconds(deadline - t));
#endif
        }
    }
};

}  // namespace

lumivex::GlideClock &host_clock()
{
    static HostClock clock;
    return clock;
}

void host_post_key(FxU32 hwnd)
{
    PostMessageA((HWND)(uintptr_t)hwnd, WM_KEYDOWN, VK_SPACE, 0);
}

void host_output_failed()
{
#if !defined(_WIN32)
    win32_exit_status_at_least(WIN32_EXIT_OUTPUT_FAILED);
#endif
}
