// window_proc_test.cpp - the main window's procedure and the pump over the
// real device, offscreen: keys and destruction raise quit_requests,
// activation and moves go to Glide (read back from its log), one message per
// pump; and WinMain's end after a failed registration.
#include <gtest/gtest.h>

#include <glide.h>

#include <unistd.h>

#include "app/shell.h"
#include "tests/support/glide_log.h"
#include "tests/support/recorder.h"

namespace {

class MainWindow : public RecordingTest {
  protected:
    HWND make() override { return make_window(main_window_proc, "LumivexUnderTest", "Lumivex by Tobrek"); }
    void SetUp() override
    {
        RecordingTest::SetUp();
        quit_requests = 0;
        glide_calls();
    }
};

// Every key-down quits, auto-repeats too; system keys only by closing the
// window (Alt+F4), whose destruction quits. Glide hears of none of it.
TEST_F(MainWindow, EveryKeyDownQuitsSystemKeysOnlyWhenTheyCloseTheWindow)
{
    SendMessageA(hwnd, WM_KEYDOWN, VK_SHIFT, 0x002A0001);
    SendMessageA(hwnd, WM_KEYDOWN, VK_SHIFT, 0x402A0001);
    EXPECT_EQ(quit_requests, 2);
    const LPARAM alt = 1 << 29;
    SendMessageA(hwnd, WM_SYSKEYDOWN, VK_F4, alt | 0x003E0001);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(quit_requests, 3);
    EXPECT_TRUE(glide_calls().empty());
}

// Only activation of a window that is not minimised activates Glide; a move
// Glide follows changes nothing.
TEST_F(MainWindow, ActivationAndMovesGoToGlideThePumpDispatchesOneMessageACall)
{
    SendMessageA(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
    SendMessageA(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 0), 0);
    SendMessageA(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 1), 0);
    SendMessageA(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
    SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(10, 20));
    EXPECT_EQ(glide_calls(), (std::vector<std::string>{"grSstControl 1", "grSstControl 1", "grSstControl 2",
                                                       "grSstControl 2", "grSstControl 4"}));
    dispatch_one_message();
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(quit_requests, 0);

    // TranslateMessage queues a key's character right behind it, so the next key
    // in a backlog is dispatched one call later; an empty queue returns at once.
    PostMessageA(hwnd, WM_KEYDOWN, 'A', 0x001E0001);
    PostMessageA(hwnd, WM_KEYDOWN, VK_SHIFT, 0x002A0001);
    PostMessageA(hwnd, WM_KEYDOWN, VK_SHIFT, 0x002A0001);
    for (LONG expected : {1, 1, 2, 3, 3}) {
        EXPECT_EQ(dispatch_one_message(), 0);
        EXPECT_EQ(quit_requests, expected);
    }
}

// A class of the program's name already there: WinMain returns 0 at once,
// before the dialog (which would answer Start).
TEST(WinMainDeathTest, FailedRegistrationReturnsZeroAtOnce)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto run = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "Lumivex";
        RegisterClassA(&wc);
        setenv("LUMIVEX_DIALOG", "start", 1);
        alarm(30);  // a WinMain that went on would run the show until stopped
        int rc = WinMain(nullptr, nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
        _exit(rc == 0 && start_requests == 0 ? 0 : 1);
    };
    EXPECT_EXIT(run(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
