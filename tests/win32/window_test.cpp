// window_test.cpp - windows and their messages: classes, creation, showing
// and destruction; posted messages in order and one per call, sent messages
// apart from them, and the default handling that ends a window.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "platform/win32/queue.h"
#include "tests/support/recorder.h"

namespace {

const UINT WM_TEST = 0x0400;  // WM_USER

using Queue = RecordingTest;

// Peeking without removing leaves the message; removing is not dispatching;
// a message sent on the owning thread reaches the procedure at once; one for
// a window that is gone reaches nobody.
TEST_F(Queue, PostedMessagesComeOutInOrderOnePerCallAndDispatchCallsTheProcedure)
{
    for (WPARAM i = 1; i <= 3; ++i)
        ASSERT_TRUE(PostMessageA(hwnd, WM_TEST, i, 0));
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.wParam, 1u);
    for (WPARAM i = 1; i <= 3; ++i) {
        ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
        EXPECT_TRUE(m.hwnd == hwnd && m.message == WM_TEST && m.wParam == i) << i;
    }
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(recorded().empty());
    answer_with(WM_TEST, 42);
    m.lParam = 9;
    EXPECT_EQ(DispatchMessageA(&m), 42);
    ASSERT_EQ(recorded().size(), 1u);
    EXPECT_EQ(recorded()[0].lParam, 9);
    EXPECT_EQ(SendMessageA(hwnd, WM_TEST, 0, 0), 42);
    EXPECT_EQ(recorded().size(), 2u);

    ASSERT_TRUE(PostMessageA(hwnd, WM_TEST, 0, 0));
    ASSERT_TRUE(DestroyWindow(hwnd));
    EXPECT_FALSE(PostMessageA(hwnd, WM_TEST, 0, 0));
    EXPECT_EQ(SendMessageA(hwnd, WM_TEST, 0, 0), 0);
    recorded().clear();
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(DispatchMessageA(&m), 0);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(recorded().empty());
}

// A message posted from another thread goes to the owner's queue; one sent
// from another thread is answered in the owner's peek, before any posted.
TEST_F(Queue, MessagesFromAnotherThreadReachTheOwner)
{
    answer_with(WM_TEST + 1, 77);
    std::thread([&] { EXPECT_TRUE(PostMessageA(hwnd, WM_TEST, 0, 0)); }).join();
    LRESULT result = 0;
    std::thread sender([&] { result = SendMessageA(hwnd, WM_TEST + 1, 0, 0); });
    // Wait (bounded) until the sent message waits in our queue.
    std::shared_ptr<MessageQueue> mine = current_queue();
    for (int i = 0; i < 5000; ++i) {
        {
            std::lock_guard lock(queue_mutex());
            if (!mine->sent.empty())
                break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(recorded().empty());  // not before we look at the queue
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    sender.join();
    EXPECT_EQ(result, 77);
    EXPECT_EQ(recorded_messages(), std::vector<UINT>{WM_TEST + 1});  // delivered during the peek
    EXPECT_EQ(m.message, WM_TEST);                                   // and the posted one removed
}

// Alt+F4 becomes a system command, then a close, which destroys the window;
// other system keys do nothing.
TEST_F(Queue, AltF4ClosesAndTheDefaultCloseDestroysTheWindow)
{
    const LPARAM alt_down = 1 << 29;
    DefWindowProcA(hwnd, WM_SYSKEYDOWN, 'X', alt_down | 0x002D0001);
    DefWindowProcA(hwnd, WM_SYSKEYDOWN, VK_F10, 0x00440001);
    DefWindowProcA(hwnd, WM_SYSKEYDOWN, VK_F4, 0x003E0001);  // F4 without Alt
    EXPECT_TRUE(IsWindow(hwnd));
    DefWindowProcA(hwnd, WM_SYSKEYDOWN, VK_F4, alt_down | 0x003E0001);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(recorded_messages(), (std::vector<UINT>{WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY, WM_NCDESTROY}));
}

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

// A new window is hidden. Shown: activated (not minimised), focused, sized
// to 640x480 and moved; painted once; shown again, nothing more; destroyed,
// deactivated first. When its procedure refuses WM_CREATE, creation fails
// and the window is gone.
TEST(Window, CreatedHiddenThenShownActivatedFocusedSizedAndMovedOrRefused)
{
    recorded().clear();
    HWND hwnd = make_recording_window("shown");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(recorded_messages(), (std::vector<UINT>{WM_NCCREATE, WM_CREATE}));
    EXPECT_FALSE(IsWindowVisible(hwnd));
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

    answer_with(WM_CREATE, -1);
    recorded().clear();
    EXPECT_EQ(make_recording_window("refused"), nullptr);
    answer_with(0, 0);
    ASSERT_FALSE(recorded().empty());
    EXPECT_FALSE(IsWindow(recorded()[0].hwnd));
    EXPECT_EQ(recorded().back().message, static_cast<UINT>(WM_NCDESTROY));
}

}  // namespace
