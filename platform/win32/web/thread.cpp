// thread.cpp - threads and Sleep in a browser page, which has one thread: each
// thread of the program is a fiber that runs while the main one sleeps.
// Sleeping on the main thread hands the page back to the browser one animation
// frame at a time (the display's retrace, to our Glide), and lets every thread
// whose sleep is over run until it sleeps again.
#include <windows.h>

#include <emscripten.h>
#include <emscripten/fiber.h>

#include <memory>
#include <vector>

#include "../handles.h"

extern "C" void lumivex_wait_frame();

namespace {

const size_t C_STACK_BYTES = 64 * 1024;
const size_t ASYNCIFY_STACK_BYTES = 16 * 1024;

struct Fiber {
    emscripten_fiber_t context;
    std::unique_ptr<char[]> c_stack, asyncify_stack;
    LPTHREAD_START_ROUTINE routine = nullptr;
    LPVOID parameter = nullptr;
    double wake_at = 0;  // ms on the page's clock
    bool finished = false;
};

Fiber main_fiber;
std::vector<std::unique_ptr<Fiber>> threads;
Fiber *running = nullptr;  // null: the main thread

void thread_main(void *p)
{
    Fiber *f = static_cast<Fiber *>(p);
    f->routine(f->parameter);
    f->finished = true;
    emscripten_fiber_swap(&f->context, &main_fiber.context);
}

// Runs each thread whose sleep is over until it sleeps again or ends.
void run_due_threads()
{
    static bool main_ready = false;
    if (!main_ready) {
        main_fiber.asyncify_stack.reset(new char[ASYNCIFY_STACK_BYTES]);
        emscripten_fiber_init_from_current_context(&main_fiber.context, main_fiber.asyncify_stack.get(),
                                                   ASYNCIFY_STACK_BYTES);
        main_ready = true;
    }
    for (auto &t : threads) {
        if (t->finished || t->wake_at > emscripten_get_now())
            continue;
        running = t.get();
        emscripten_fiber_swap(&main_fiber.context, &t->context);
        running = nullptr;
    }
}

}  // namespace

HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES, size_t stack_size, LPTHREAD_START_ROUTINE routine,
                           LPVOID parameter, DWORD flags, LPDWORD thread_id)
{
    // Suspended starts and the other flags are not needed by the program.
    if (!routine || flags != 0)
        return nullptr;
    intptr_t number = static_cast<intptr_t>(threads.size()) + 1;
    if (number >= FILE_HANDLE_BASE - THREAD_HANDLE_BASE)
        return nullptr;
    auto f = std::make_unique<Fiber>();
    size_t c_bytes = stack_size > C_STACK_BYTES ? stack_size : C_STACK_BYTES;
    f->c_stack.reset(new char[c_bytes]);
    f->asyncify_stack.reset(new char[ASYNCIFY_STACK_BYTES]);
    f->routine = routine;
    f->parameter = parameter;
    f->wake_at = emscripten_get_now();
    emscripten_fiber_init(&f->context, thread_main, f.get(), f->c_stack.get(), c_bytes,
                          f->asyncify_stack.get(), ASYNCIFY_STACK_BYTES);
    threads.push_back(std::move(f));
    if (thread_id)
        *thread_id = static_cast<DWORD>(number);
    return reinterpret_cast<HANDLE>(THREAD_HANDLE_BASE + number);
}

void WINAPI Sleep(DWORD milliseconds)
{
    double wake_at = emscripten_get_now() + milliseconds;
    if (running) {
        running->wake_at = wake_at;
        emscripten_fiber_swap(&running->context, &main_fiber.context);
        return;
    }
    // A sleep of any length gives the page back at least once.
    run_due_threads();
    if (milliseconds == 0)
        return;
    do {
        lumivex_wait_frame();
        run_due_threads();
    } while (emscripten_get_now() < wake_at);
}
