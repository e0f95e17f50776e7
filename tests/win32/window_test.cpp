// Windows: classes, creation, showing and destruction.
#include <gtest/gtest.h>

#include "recorder.h"

namespace {

// Class names ignore case and name a class once a process; an atom names it
// as well as its name does; a class without a procedure or unknown makes no
// window.
TEST(Window, ClassesRegisterOnceAndUnknownOnesMakeNoWindow)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    static int runs = 0;
    std::string name = "Once" + std::to_string(runs++), upper = "ONCE" + name.substr(4);
    wc.lpszClassName = name.c_str();
    ATOM atom = RegisterClassA(&wc);
    EXPECT_NE(atom, 0);
    wc.lpszClassName = upper.c_str();
    EXPECT_EQ(RegisterClassA(&wc), 0);
    wc.lpfnWndProc = nullptr;
    wc.lpszClassName = "NoProcedure";
    EXPECT_EQ(RegisterClassA(&wc), 0);
    EXPECT_EQ(CreateWindowExA(0, "Nowhere", "x", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    HWND by_atom =
        CreateWindowExA(0, MAKEINTRESOURCEA(atom), "x", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(by_atom, nullptr);
    DestroyWindow(by_atom);
}

// A new window is hidden; when its procedure refuses WM_CREATE, creation
// fails and the window is gone.
TEST(Window, CreationSendsItsMessagesAndLeavesTheWindowHiddenOrFails)
{
    recorded().clear();
    HWND hwnd = make_recording_window("hidden");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(recorded_messages(), (std::vector<UINT>{WM_NCCREATE, WM_CREATE}));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    DestroyWindow(hwnd);

    answer_with(WM_CREATE, -1);
    recorded().clear();
    EXPECT_EQ(make_recording_window("refused"), nullptr);
    answer_with(0, 0);
    ASSERT_FALSE(recorded().empty());
    EXPECT_FALSE(IsWindow(recorded()[0].hwnd));
    EXPECT_EQ(recorded().back().message, static_cast<UINT>(WM_NCDESTROY));
}

// Shown: activated (not minimised), focused, sized to 640x480 and moved;
// painted once; shown again, nothing more; destroyed, deactivated first.
TEST(Window, ShowingActivatesFocusesThenSizesAndMoves)
{
    HWND hwnd = make_recording_window("shown");
    recorded().clear();
    EXPECT_FALSE(ShowWindow(hwnd, SW_SHOWNORMAL));  // it was hidden
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(recorded_messages(),
              (std::vector<UINT>{WM_SHOWWINDOW, WM_ACTIVATEAPP, WM_ACTIVATE, WM_SETFOCUS, WM_SIZE, WM_MOVE}));
    EXPECT_EQ(recorded()[2].wParam, WPARAM(WA_ACTIVE));
    EXPECT_EQ(recorded()[4].lParam, MAKELPARAM(640, 480));
    recorded().clear();
    EXPECT_TRUE(UpdateWindow(hwnd));
    EXPECT_TRUE(UpdateWindow(hwnd));
    EXPECT_TRUE(ShowWindow(hwnd, SW_SHOWNORMAL));
    EXPECT_EQ(recorded_messages(), std::vector<UINT>{WM_PAINT});

    recorded().clear();
    ASSERT_TRUE(DestroyWindow(hwnd));
    EXPECT_EQ(recorded_messages(),
              (std::vector<UINT>{WM_ACTIVATE, WM_ACTIVATEAPP, WM_KILLFOCUS, WM_DESTROY, WM_NCDESTROY}));
    EXPECT_EQ(LOWORD(recorded()[0].wParam), WA_INACTIVE);
    EXPECT_FALSE(DestroyWindow(hwnd));
}

}  // namespace
