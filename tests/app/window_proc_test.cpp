// The main window's procedure and the pump against their tables: keys and
// destruction raise quit_requests, activation and moves go to grSstControl,
// a failed move closes the window, one message per pump.
#include <gtest/gtest.h>

#include "app/shell.h"
#include "doubles.h"

namespace {

const WPARAM MINIMISED = 1;

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        static ATOM atom = 0;
        if (!atom) {
            WNDCLASSA wc{};
            wc.style = CS_DBLCLKS;
            wc.lpfnWndProc = main_window_proc;
            wc.lpszClassName = "LumivexUnderTest";
            atom = RegisterClassA(&wc);
            ASSERT_NE(atom, 0);
        }
        hwnd = CreateWindowExA(0, "LumivexUnderTest", "Lumivex by Tobrek", WS_OVERLAPPED, CW_USEDEFAULT,
                               CW_USEDEFAULT, 640, 480, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(hwnd, nullptr);
        drain();
        quit_requests = 0;
        device_calls.clear();
        control_result = FXTRUE;
    }
    void TearDown() override
    {
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
        drain();
    }
    static void drain()
    {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    static bool queue_empty()
    {
        MSG m;
        return !PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);
    }
    HWND hwnd = nullptr;
};

TEST_F(MainWindow, EveryKeyDownRaisesQuitAutoRepeatsIncluded)
{
    EXPECT_EQ(SendMessageA(hwnd, WM_KEYDOWN, VK_SHIFT, 0x002A0001), 0);
    EXPECT_EQ(quit_requests, 1);
    SendMessageA(hwnd, WM_KEYDOWN, VK_SHIFT, 0x402A0001);  // held down: auto-repeat
    SendMessageA(hwnd, WM_KEYDOWN, 'Q', 0x00100001);
    EXPECT_EQ(quit_requests, 3);
    EXPECT_TRUE(device_calls.empty());
}

TEST_F(MainWindow, SystemKeysDoNotQuitUnlessTheyCloseTheWindow)
{
    const LPARAM alt = 1 << 29;
    SendMessageA(hwnd, WM_SYSKEYDOWN, 'X', alt | 0x002D0001);
    SendMessageA(hwnd, WM_SYSKEYDOWN, VK_F10, 0x00440001);
    SendMessageA(hwnd, WM_SYSKEYDOWN, VK_MENU, alt | 0x00380001);
    EXPECT_EQ(quit_requests, 0);
    EXPECT_TRUE(IsWindow(hwnd));
    SendMessageA(hwnd, WM_SYSKEYDOWN, VK_F4, alt | 0x003E0001);  // Alt+F4
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(quit_requests, 1);  // by the destruction
}

TEST_F(MainWindow, DestructionRaisesQuit)
{
    DestroyWindow(hwnd);
    EXPECT_EQ(quit_requests, 1);
}

TEST_F(MainWindow, CloseDispatchedByThePumpDestroysTheWindow)
{
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(dispatch_one_message(), 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(quit_requests, 1);
}

TEST_F(MainWindow, FailedMoveClosesTheWindowAtALaterPump)
{
    EXPECT_EQ(SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(10, 20)), 0);
    EXPECT_EQ(device_calls, std::vector<std::string>{"grSstControl 4"});
    EXPECT_TRUE(queue_empty());  // a move Glide follows changes nothing

    control_result = FXFALSE;
    SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(30, 40));
    EXPECT_EQ(quit_requests, 0);
    EXPECT_TRUE(IsWindow(hwnd));  // not yet: the close is only posted
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_CLOSE));
    EXPECT_EQ(m.wParam, 0u);
    EXPECT_EQ(m.lParam, 0);
    dispatch_one_message();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(quit_requests, 1);
}

TEST_F(MainWindow, OnlyActivationOfAWindowThatIsNotMinimisedActivatesGlide)
{
    struct Case {
        WORD state, minimised;
        const char *call;
    } cases[] = {
        {WA_ACTIVE, 0, "grSstControl 1"},     {WA_CLICKACTIVE, 0, "grSstControl 1"},
        {WA_ACTIVE, MINIMISED, "grSstControl 2"}, {WA_CLICKACTIVE, MINIMISED, "grSstControl 2"},
        {WA_INACTIVE, 0, "grSstControl 2"},   {WA_INACTIVE, MINIMISED, "grSstControl 2"},
    };
    for (const Case &c : cases) {
        device_calls.clear();
        control_result = FXFALSE;  // whatever Glide says about activation is ignored
        EXPECT_EQ(SendMessageA(hwnd, WM_ACTIVATE, MAKEWPARAM(c.state, c.minimised), 0), 0);
        EXPECT_EQ(device_calls, std::vector<std::string>{c.call}) << c.state << " " << c.minimised;
    }
    EXPECT_TRUE(queue_empty());
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(quit_requests, 0);
}

TEST_F(MainWindow, ShowingTheWindowActivatesAndMovesIt)
{
    show_main_window(hwnd);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(device_calls, (std::vector<std::string>{"grSstControl 1", "grSstControl 4"}));
}

TEST_F(MainWindow, PumpDispatchesAtMostOneMessagePerCall)
{
    for (int i = 0; i < 3; ++i)
        PostMessageA(hwnd, WM_KEYDOWN, VK_SHIFT, 0x002A0001);
    for (LONG expected = 1; expected <= 3; ++expected) {
        EXPECT_EQ(dispatch_one_message(), 0);
        EXPECT_EQ(quit_requests, expected);
    }
    EXPECT_EQ(dispatch_one_message(), 0);  // an empty queue: nothing, at once
    EXPECT_EQ(quit_requests, 3);
}

TEST_F(MainWindow, ACharacterKeyCostsTheBacklogOneMorePump)
{
    // TranslateMessage queues the key's character right behind it, so the
    // next key in a backlog is dispatched one call later.
    PostMessageA(hwnd, WM_KEYDOWN, 'A', 0x001E0001);
    PostMessageA(hwnd, WM_KEYDOWN, 'B', 0x00300001);
    dispatch_one_message();
    EXPECT_EQ(quit_requests, 1);
    dispatch_one_message();
    EXPECT_EQ(quit_requests, 1);  // the WM_CHAR of 'A'
    dispatch_one_message();
    EXPECT_EQ(quit_requests, 2);
}

}  // namespace
