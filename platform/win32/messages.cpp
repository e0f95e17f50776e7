// messages.cpp - messages: posting, sending, peeking, translating,
// dispatching.
#include <windows.h>

#include "display.h"
#include "keys.h"
#include "queue.h"
#include "window.h"

static LRESULT call_procedure(const MSG &msg)
{
    Window *w = find_window(msg.hwnd);
    if (!w || !w->proc)
        return 0;
    return w->proc(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

// Answers every message that other threads have sent to the calling thread.
static void deliver_sent_messages()
{
    std::shared_ptr<MessageQueue> queue = current_queue();
    for (;;) {
        SentMessage *s;
        {
            std::lock_guard lock(queue_mutex());
            if (queue->sent.empty())
                return;
            s = queue->sent.front();
            queue->sent.pop_front();
        }
        LRESULT result = call_procedure(s->msg);
        std::lock_guard lock(queue_mutex());
        s->result = result;
        s->done = true;
        s->sender->wake.notify_all();
    }
}

BOOL WINAPI PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window *w = find_window(hwnd);
    if (!w)
        return FALSE;
    MSG msg{};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = display_ticks();
    std::lock_guard lock(queue_mutex());
    w->queue->posted.push_back(msg);
    return TRUE;
}

LRESULT WINAPI SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window *w = find_window(hwnd);
    if (!w)
        return 0;
    std::shared_ptr<MessageQueue> mine = current_queue();
    if (w->queue == mine)
        return w->proc ? w->proc(hwnd, message, wParam, lParam) : 0;

    // Another thread's window: its thread answers when it next looks at its
    // queue. Meanwhile we answer what is sent to us, or two threads sending
    // to each other would wait forever.
    SentMessage s;
    s.msg.hwnd = hwnd;
    s.msg.message = message;
    s.msg.wParam = wParam;
    s.msg.lParam = lParam;
    s.sender = mine;
    std::unique_lock lock(queue_mutex());
    w->queue->sent.push_back(&s);
    w->queue->wake.notify_all();
    while (!s.done) {
        if (!mine->sent.empty()) {
            lock.unlock();
            deliver_sent_messages();
            lock.lock();
            continue;
        }
        mine->wake.wait(lock);
    }
    return s.result;
}

static bool matches(const MSG &msg, HWND hwnd, UINT lowest, UINT highest)
{
    if (hwnd && msg.hwnd != hwnd)
        return false;
    if (lowest == 0 && highest == 0)
        return true;
    return msg.message >= lowest && msg.message <= highest;
}

BOOL WINAPI PeekMessageA(LPMSG out, HWND hwnd, UINT lowest, UINT highest, UINT remove)
{
    deliver_sent_messages();
    run_pump_hook();
    std::shared_ptr<MessageQueue> queue = current_queue();
    std::lock_guard lock(queue_mutex());
    for (auto it = queue->posted.begin(); it != queue->posted.end(); ++it) {
        if (!matches(*it, hwnd, lowest, highest))
            continue;
        if (out)
            *out = *it;
        if (remove & PM_REMOVE)
            queue->posted.erase(it);
        return TRUE;
    }
    return FALSE;
}

BOOL WINAPI TranslateMessage(const MSG *msg)
{
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return FALSE;
    // The keyboard state the display keeps (all up before it starts), as
    // Windows reads the keyboard state at the time of translation.
    bool shift = display_shift_held();
    int ch = key_character(static_cast<int>(msg->wParam), shift);
    if (!ch)
        return FALSE;
    // The character comes next, ahead of anything posted after the key.
    MSG c = *msg;
    c.message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    c.wParam = static_cast<WPARAM>(ch);
    post_to_queue(*current_queue(), c, true);
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG *msg)
{
    return msg ? call_procedure(*msg) : 0;
}
