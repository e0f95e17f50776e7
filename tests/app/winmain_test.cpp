// The start-up sequence, each run in a process of its own (the class is
// registered once per process): what Exit, Start and a missing dialog do.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "app/shell.h"
#include "doubles.h"

extern HWND main_window;
extern HANDLE tick_thread;

namespace {

const HINSTANCE INSTANCE = reinterpret_cast<HINSTANCE>(intptr_t{0x400000});

struct Headless {
    Headless()
    {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    }
} headless;

// Ends the child process: 0 when every check held, else 1 after saying why.
[[noreturn]] void finish(const std::vector<std::string> &problems)
{
    for (const std::string &p : problems)
        fprintf(stderr, "%s\n", p.c_str());
    fflush(stderr);
    _exit(problems.empty() ? 0 : 1);
}

std::string calls()
{
    std::string s;
    for (const std::string &c : device_calls)
        s += "[" + c + "]";
    return s;
}

void exit_path(const char *answer)
{
    if (answer)
        setenv("LUMIVEX_DIALOG", answer, 1);
    else
        unsetenv("LUMIVEX_DIALOG");
    int rc = WinMain(INSTANCE, nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    std::vector<std::string> problems;
    if (rc != 0)
        problems.push_back("WinMain returned " + std::to_string(rc));
    if (!device_calls.empty())
        problems.push_back("device calls: " + calls());
    if (!IsWindow(main_window))
        problems.push_back("no main window, or it was destroyed");
    if (IsWindowVisible(main_window))
        problems.push_back("the main window was shown");
    if (tick_thread)
        problems.push_back("the tick thread was started");
    if (start_requests != 0)
        problems.push_back("start_requests is not 0");
    finish(problems);
}

TEST(WinMainDeathTest, ExitEndsWithoutWindowThreadOrDevice)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(exit_path("exit"), ::testing::ExitedWithCode(0), "");
}

TEST(WinMainDeathTest, NoDialogWithoutADisplayEndsAsExitDoes)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(exit_path(nullptr), ::testing::ExitedWithCode(0), "LUMIVEX_DIALOG=start");
}

std::vector<std::string> show_problems;

void check_show_start()
{
    if (!IsWindowVisible(main_window))
        show_problems.push_back("the window is hidden while the show runs");
    if (!tick_thread)
        show_problems.push_back("no tick thread");
    // The thread counts once as soon as it runs; wait for that, within bounds.
    for (int i = 0; i < 5000 && tick_counts[0] == 0; ++i)
        Sleep(1);
    if (tick_counts[0] < 1)
        show_problems.push_back("the tick counters did not rise");
}

void start_path()
{
    setenv("LUMIVEX_DIALOG", "start", 1);
    during_show = check_show_start;
    // Neither the show command nor the command line changes anything.
    int rc = WinMain(INSTANCE, nullptr, const_cast<LPSTR>("-window -res 1024x768"), SW_SHOWMINIMIZED);
    std::vector<std::string> problems = show_problems;
    if (rc != 0)
        problems.push_back("WinMain returned " + std::to_string(rc));
    std::string hwnd = std::to_string(reinterpret_cast<uintptr_t>(main_window));
    std::vector<std::string> want = {"grSstControl 1", "grSstControl 4", "voo_init", "voo_open " + hwnd,
                                     "voo_set_render_state", "run_show", "voo_close"};
    if (device_calls != want)
        problems.push_back("calls: " + calls());
    if (start_requests != 1)
        problems.push_back("start_requests is " + std::to_string(start_requests));
    if (!IsWindow(main_window))
        problems.push_back("the main window was destroyed");
    finish(problems);
}

TEST(WinMainDeathTest, StartShowsTheWindowStartsTheTicksThenRunsTheDeviceAndShow)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(start_path(), ::testing::ExitedWithCode(0), "");
}

void failed_class()
{
    // A class of that name already there: registration fails, nothing else happens.
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "Lumivex";
    RegisterClassA(&wc);
    setenv("LUMIVEX_DIALOG", "start", 1);
    int rc = WinMain(INSTANCE, nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    std::vector<std::string> problems;
    if (rc != 0 || main_window || !device_calls.empty() || start_requests)
        problems.push_back("went on after a failed registration: " + calls());
    finish(problems);
}

TEST(WinMainDeathTest, FailedRegistrationReturnsZeroAtOnce)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(failed_class(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
