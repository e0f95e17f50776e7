// queue.cpp - the threads' message queues, and the hook that fills them from
// outside.
#include "queue.h"

std::mutex &queue_mutex()
{
    static std::mutex m;
    return m;
}

std::shared_ptr<MessageQueue> current_queue()
{
    thread_local std::shared_ptr<MessageQueue> queue = std::make_shared<MessageQueue>();
    return queue;
}

void post_to_queue(MessageQueue &queue, const MSG &msg, bool front)
{
    std::lock_guard lock(queue_mutex());
    if (front)
        queue.posted.push_front(msg);
    else
        queue.posted.push_back(msg);
}

static void (*pump_hook)() = nullptr;

void set_pump_hook(void (*hook)())
{
    pump_hook = hook;
}

void run_pump_hook()
{
    if (pump_hook)
        pump_hook();
}
