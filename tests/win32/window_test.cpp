// Windows: classes, creation, showing and destruction.
#include <gtest/gtest.h>

#include "recorder.h"

namespace {

std::vector<UINT> messages_of(HWND hwnd)
{
    std::vector<UINT> out;
    for (const Recorded &r : recorded())
        if (r.hwnd == hwnd)
            out.push_back(r.message);
    return out;
}

TEST(Window, ClassesRegisterOnceAndUnknownOnesMakeNoWindow)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    static int runs = 0;  // a class lives as long as the process
    std::string name = "Once" + std::to_string(runs++), upper = "ONCE" + name.substr(4);
    wc.lpszClassName = name.c_str();
    ATOM atom = RegisterClassA(&wc);
    EXPECT_NE(atom, 0);
    wc.lpszClassName = upper.c_str();  // class names ignore case
    EXPECT_EQ(RegisterClassA(&wc), 0);
    wc.lpfnWndProc = nullptr;
    wc.lpszClassName = "NoProcedure";
    EXPECT_EQ(RegisterClassA(&wc), 0);
    EXPECT_EQ(CreateWindowExA(0, "Nowhere", "x", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    // An atom names the class as well as its name does.
    HWND by_atom = CreateWindowExA(0, MAKEINTRESOURCEA(atom), "x", 0, 0, 0, 10, 10, nullptr, nullptr,
                                   nullptr, nullptr);
    EXPECT_NE(by_atom, nullptr);
    DestroyWindow(by_atom);
}

TEST(Window, CreationSendsItsMessagesAndLeavesTheWindowHiddenOrFails)
{
    recorded().clear();
    HWND hwnd = make_recording_window("hidden");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(messages_of(hwnd), (std::vector<UINT>{WM_NCCREATE, WM_CREATE}));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    DestroyWindow(hwnd);

    // When the procedure refuses, creation fails and the window is gone.
    answer_with(WM_CREATE, -1);
    recorded().clear();
    EXPECT_EQ(make_recording_window("refused"), nullptr);
    clear_answers();
    ASSERT_FALSE(recorded().empty());
    EXPECT_FALSE(IsWindow(recorded()[0].hwnd));
    EXPECT_EQ(recorded().back().message, static_cast<UINT>(WM_NCDESTROY));
}

TEST(Window, ShowingActivatesFocusesThenSizesAndMoves)
{
    HWND hwnd = make_recording_window("shown");
    recorded().clear();
    EXPECT_FALSE(ShowWindow(hwnd, SW_SHOWNORMAL));  // it was hidden
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(messages_of(hwnd), (std::vector<UINT>{WM_SHOWWINDOW, WM_ACTIVATEAPP, WM_ACTIVATE,
                                                    WM_SETFOCUS, WM_SIZE, WM_MOVE}));
    for (const Recorded &r : recorded()) {
        if (r.message == WM_ACTIVATE) {
            EXPECT_EQ(LOWORD(r.wParam), WA_ACTIVE);
            EXPECT_EQ(HIWORD(r.wParam), 0);  // not minimised
        }
        if (r.message == WM_SIZE) {
            EXPECT_EQ(LOWORD(r.lParam), 640);
            EXPECT_EQ(HIWORD(r.lParam), 480);
        }
    }
    recorded().clear();
    EXPECT_TRUE(UpdateWindow(hwnd));
    EXPECT_TRUE(UpdateWindow(hwnd));  // painted once: the default handling validated it
    EXPECT_EQ(messages_of(hwnd), std::vector<UINT>{WM_PAINT});
    recorded().clear();
    EXPECT_TRUE(ShowWindow(hwnd, SW_SHOWNORMAL));  // already visible: nothing more
    EXPECT_TRUE(messages_of(hwnd).empty());

    recorded().clear();
    ASSERT_TRUE(DestroyWindow(hwnd));
    EXPECT_EQ(messages_of(hwnd), (std::vector<UINT>{WM_ACTIVATE, WM_ACTIVATEAPP, WM_KILLFOCUS,
                                                    WM_DESTROY, WM_NCDESTROY}));
    EXPECT_EQ(LOWORD(recorded()[0].wParam), WA_INACTIVE);
    EXPECT_FALSE(DestroyWindow(hwnd));
}

}  // namespace
