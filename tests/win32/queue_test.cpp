// The message queue: posted messages in order and one per call, sent
// messages apart from them, and the default handling that ends a window.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/win32/queue.h"
#include "recorder.h"

namespace {

const UINT WM_TEST = 0x0400;  // WM_USER

class Queue : public ::testing::Test {
protected:
    void SetUp() override
    {
        drain();
        hwnd = make_recording_window();
        ASSERT_NE(hwnd, nullptr);
        recorded().clear();
        clear_answers();
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

TEST_F(Queue, PostedMessagesComeOutInOrderOnePerCall)
{
    for (WPARAM i = 1; i <= 3; ++i)
        ASSERT_TRUE(PostMessageA(hwnd, WM_TEST, i, 0));
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.wParam, 1u);  // looking does not remove
    for (WPARAM i = 1; i <= 3; ++i) {
        ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
        EXPECT_EQ(m.hwnd, hwnd);
        EXPECT_EQ(m.message, WM_TEST);
        EXPECT_EQ(m.wParam, i);
    }
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    // Removing is not dispatching: the procedure has seen none of them.
    EXPECT_TRUE(recorded().empty());
}

TEST_F(Queue, EmptyQueueAnswersAtOnce)
{
    MSG m;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 1000; ++i)
        ASSERT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST_F(Queue, DispatchCallsTheWindowsProcedureWithTheMessage)
{
    answer_with(WM_TEST, 42);
    MSG m{};
    m.hwnd = hwnd;
    m.message = WM_TEST;
    m.wParam = 7;
    m.lParam = 9;
    EXPECT_EQ(DispatchMessageA(&m), 42);
    ASSERT_EQ(recorded().size(), 1u);
    EXPECT_EQ(recorded()[0].wParam, 7u);
    EXPECT_EQ(recorded()[0].lParam, 9);
}

TEST_F(Queue, SendingOnTheOwningThreadCallsTheProcedureAtOnce)
{
    answer_with(WM_TEST, 5);
    EXPECT_EQ(SendMessageA(hwnd, WM_TEST, 0, 0), 5);
    EXPECT_EQ(recorded_messages(), std::vector<UINT>{WM_TEST});
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));  // nothing was queued
}

TEST_F(Queue, MessageSentFromAnotherThreadIsAnsweredInPeekBeforeAnyPosted)
{
    answer_with(WM_TEST + 1, 77);
    ASSERT_TRUE(PostMessageA(hwnd, WM_TEST, 0, 0));
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

TEST_F(Queue, MessagePostedFromAnotherThreadGoesToTheOwnersQueue)
{
    std::thread poster([&] { EXPECT_TRUE(PostMessageA(hwnd, WM_TEST, 3, 4)); });
    poster.join();
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, WM_TEST);
    EXPECT_EQ(m.lParam, 4);
}

TEST_F(Queue, MessagesToWindowsThatAreGoneAreHarmless)
{
    ASSERT_TRUE(PostMessageA(hwnd, WM_TEST, 0, 0));
    ASSERT_TRUE(DestroyWindow(hwnd));
    EXPECT_FALSE(PostMessageA(hwnd, WM_TEST, 0, 0));
    EXPECT_EQ(SendMessageA(hwnd, WM_TEST, 0, 0), 0);
    recorded().clear();
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(DispatchMessageA(&m), 0);
    EXPECT_TRUE(recorded().empty());
}

TEST_F(Queue, TranslateMessagePutsTheCharacterNext)
{
    ASSERT_TRUE(PostMessageA(hwnd, WM_KEYDOWN, 'A', 0x001E0001));
    ASSERT_TRUE(PostMessageA(hwnd, WM_TEST, 0, 0));
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(TranslateMessage(&m));
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_CHAR));
    EXPECT_EQ(m.wParam, static_cast<WPARAM>('a'));
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, WM_TEST);
    // Keys without a character, and other messages, add nothing.
    m.message = WM_KEYDOWN;
    m.wParam = VK_SHIFT;
    EXPECT_FALSE(TranslateMessage(&m));
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Queue, DefaultCloseDestroysTheWindow)
{
    ASSERT_TRUE(PostMessageA(hwnd, WM_CLOSE, 0, 0));
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    DispatchMessageA(&m);
    EXPECT_FALSE(IsWindow(hwnd));
    std::vector<UINT> seen = recorded_messages();
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.front(), static_cast<UINT>(WM_CLOSE));
    EXPECT_EQ(seen[seen.size() - 2], static_cast<UINT>(WM_DESTROY));
    EXPECT_EQ(seen.back(), static_cast<UINT>(WM_NCDESTROY));
}

TEST_F(Queue, AltF4ClosesOtherSystemKeysDoNot)
{
    const LPARAM alt_down = 1 << 29;
    DefWindowProcA(hwnd, WM_SYSKEYDOWN, 'X', alt_down | 0x002D0001);
    DefWindowProcA(hwnd, WM_SYSKEYDOWN, VK_F10, 0x00440001);
    DefWindowProcA(hwnd, WM_SYSKEYDOWN, VK_F4, 0x003E0001);  // F4 without Alt
    EXPECT_TRUE(IsWindow(hwnd));
    DefWindowProcA(hwnd, WM_SYSKEYDOWN, VK_F4, alt_down | 0x003E0001);
    EXPECT_FALSE(IsWindow(hwnd));
    std::vector<UINT> seen = recorded_messages();
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[0], static_cast<UINT>(WM_SYSCOMMAND));
    EXPECT_EQ(seen[1], static_cast<UINT>(WM_CLOSE));
}

}  // namespace
