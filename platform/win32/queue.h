// queue.h - one message queue per thread, with sent and posted messages kept
// apart as Win32 keeps them: a message sent from another thread waits in
// `sent` until the owning thread next looks at its queue, and is answered
// before any posted message is removed.
#ifndef LUMIVEX_WIN32_QUEUE_H
#define LUMIVEX_WIN32_QUEUE_H

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

struct SentMessage {
    MSG msg{};
    LRESULT result = 0;
    bool done = false;
    std::shared_ptr<struct MessageQueue> sender;
};

struct MessageQueue {
    std::deque<MSG> posted;
    std::deque<SentMessage *> sent;
    std::condition_variable wake;  // a sent message arrived, or one we sent was answered
};

// Guards every queue's lists.
std::mutex &queue_mutex();

// The calling thread's queue, made on first use.
std::shared_ptr<MessageQueue> current_queue();

// Appends a posted message (at the front for one that must come next).
void post_to_queue(MessageQueue &queue, const MSG &msg, bool front = false);

// What PeekMessageA runs before it looks at the queue: the layer that turns
// the host's events into messages installs it (null: nothing runs).
void set_pump_hook(void (*hook)());
void run_pump_hook();

#endif
