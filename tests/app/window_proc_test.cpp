// The main window's procedure and the pump, with doubles of the device, the
// show and grSstControl: keys and destruction raise quit_requests, activation
// and moves go to grSstControl, a failed move closes the window at a later
// pump, one message per pump; and WinMain's end after a failed registration.
#include <gtest/gtest.h>

#include <glide.h>

#include "app/shell.h"
#include "device/glidemain.h"
#include "show/show.h"

// Doubles of what the shell calls beyond Win32, each writing down its calls.
std::vector<std::string> device_calls;
FxBool control_result = FXTRUE; // what grSstControl answers

FX_ENTRY FxBool FX_CALL grSstControl(FxU32 code)
{
    device_calls.push_back("grSstControl " + std::to_string(code));
    return control_result;
}

void voo_init() { device_calls.push_back("voo_init"); }
void voo_open(HWND) { device_calls.push_back("voo_open"); }
void voo_set_render_state() { device_calls.push_back("voo_set_render_state"); }
void voo_close() { device_calls.push_back("voo_close"); }
int run_show()
{
    device_calls.push_back("run_show");
    return 0;
}
const char *show_failed_file = nullptr;
const char *show_failed_reason = nullptr;

namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        static ATOM atom = 0;
        if (!atom) {
            WNDCLASSA wc{};
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
    HWND hwnd = nullptr;
};

TEST_F(MainWindow, EveryKeyDownQuitsSystemKeysOnlyWhenTheyCloseTheWindow)
{
    SendMessageA(hwnd, WM_KEYDOWN, VK_SHIFT, 0x002A0001);
    SendMessageA(hwnd, WM_KEYDOWN, VK_SHIFT, 0x402A0001); // held down: auto-repeat
    EXPECT_EQ(quit_requests, 2);
    const LPARAM alt = 1 << 29;
    SendMessageA(hwnd, WM_SYSKEYDOWN, 'X', alt | 0x002D0001);
    SendMessageA(hwnd, WM_SYSKEYDOWN, VK_F10, 0x00440001);
    EXPECT_EQ(quit_requests, 2);
    EXPECT_TRUE(IsWindow(hwnd));
    SendMessageA(hwnd, WM_SYSKEYDOWN, VK_F4, alt | 0x003E0001); // Alt+F4
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(quit_requests, 3); // by the destruction
    EXPECT_TRUE(device_calls.empty());
}

TEST_F(MainWindow, OnlyActivationOfAWindowThatIsNotMinimisedActivatesGlide)
{
    const WORD MINIMISED = 1;
    struct Case {
        WORD state, minimised;
        const char *call;
    } cases[] = {
        {WA_ACTIVE, 0, "grSstControl 1"},         {WA_CLICKACTIVE, 0, "grSstControl 1"},
        {WA_ACTIVE, MINIMISED, "grSstControl 2"}, {WA_INACTIVE, 0, "grSstControl 2"},
    };
    control_result = FXFALSE; // whatever Glide says about activation is ignored
    for (const Case &c : cases) {
        device_calls.clear();
        EXPECT_EQ(SendMessageA(hwnd, WM_ACTIVATE, MAKEWPARAM(c.state, c.minimised), 0), 0);
        EXPECT_EQ(device_calls, std::vector<std::string>{c.call}) << c.state << " " << c.minimised;
    }
    dispatch_one_message();
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(quit_requests, 0);
}

TEST_F(MainWindow, FailedMoveClosesTheWindowAtALaterPump)
{
    SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(10, 20));
    EXPECT_EQ(device_calls, std::vector<std::string>{"grSstControl 4"});
    dispatch_one_message(); // a move Glide follows changes nothing
    EXPECT_TRUE(IsWindow(hwnd));

    control_result = FXFALSE;
    SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(30, 40));
    EXPECT_TRUE(IsWindow(hwnd)); // not yet: the close is only posted
    dispatch_one_message();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(quit_requests, 1);
}

// TranslateMessage queues a key's character right behind it, so the next key
// in a backlog is dispatched one call later; an empty queue returns at once.
TEST_F(MainWindow, PumpDispatchesAtMostOneMessagePerCall)
{
    PostMessageA(hwnd, WM_KEYDOWN, 'A', 0x001E0001);
    PostMessageA(hwnd, WM_KEYDOWN, VK_SHIFT, 0x002A0001);
    PostMessageA(hwnd, WM_KEYDOWN, VK_SHIFT, 0x002A0001);
    for (LONG expected : {1, 1, 2, 3, 3}) {
        EXPECT_EQ(dispatch_one_message(), 0);
        EXPECT_EQ(quit_requests, expected);
    }
}

// A class of the program's name already there: WinMain returns 0 at once.
TEST(WinMainDeathTest, FailedRegistrationReturnsZeroAtOnce)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto run = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "Lumivex";
        RegisterClassA(&wc);
        setenv("LUMIVEX_DIALOG", "start", 1);
        int rc = WinMain(nullptr, nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
        _exit(rc == 0 && device_calls.empty() && start_requests == 0 ? 0 : 1);
    };
    EXPECT_EXIT(run(), ::testing::ExitedWithCode(0), "");
}

} // namespace
