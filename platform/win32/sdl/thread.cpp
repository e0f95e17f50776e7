// thread.cpp - threads over POSIX threads. A thread handle is
// THREAD_HANDLE_BASE + a number given once; nothing waits on a thread, so its
// pthread is detached.
#include <windows.h>

#include <pthread.h>

#include <atomic>

#include "../handles.h"

namespace {

std::atomic<intptr_t> threads_started{0};

struct ThreadStart {
    LPTHREAD_START_ROUTINE routine;
    LPVOID parameter;
};

void *thread_main(void *p)
{
    ThreadStart start = *static_cast<ThreadStart *>(p);
    delete static_cast<ThreadStart *>(p);
    start.routine(start.parameter);
    return nullptr;
}

}  // namespace

HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES, size_t stack_size, LPTHREAD_START_ROUTINE routine,
                           LPVOID parameter, DWORD flags, LPDWORD thread_id)
{
    // Suspended starts and the other flags are not needed by the program.
    if (!routine || flags != 0)
        return nullptr;
    intptr_t number = threads_started.fetch_add(1) + 1;
    if (number >= FILE_HANDLE_BASE - THREAD_HANDLE_BASE)
        return nullptr;
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
    if (stack_size)
        pthread_attr_setstacksize(&attr, stack_size < 65536 ? 65536 : stack_size);
    pthread_t thread;
    auto *start = new ThreadStart{routine, parameter};
    int failed = pthread_create(&thread, &attr, thread_main, start);
    pthread_attr_destroy(&attr);
    if (failed) {
        delete start;
        return nullptr;
    }
    if (thread_id)
        *thread_id = static_cast<DWORD>(number);
    return reinterpret_cast<HANDLE>(THREAD_HANDLE_BASE + number);
}
