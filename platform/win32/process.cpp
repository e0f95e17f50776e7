// process.cpp - the process: its executable's path, a debugger break, its end,
// and the status our stand-ins ask it to end with.
#include <windows.h>
#include <win32_exit.h>

#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

DWORD WINAPI GetModuleFileNameA(HMODULE, LPSTR name, DWORD size)
{
    if (!name || size == 0)
        return 0;
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n < 0)
        return 0;
    path[n] = '\0';
    // As on Windows: a name that does not fit is cut, still terminated, and
    // the whole size is returned.
    size_t length = static_cast<size_t>(n);
    if (length >= size) {
        memcpy(name, path, size - 1);
        name[size - 1] = '\0';
        return size;
    }
    memcpy(name, path, length + 1);
    return static_cast<DWORD>(length);
}

void WINAPI DebugBreak(void)
{
    raise(SIGTRAP);
}

void WINAPI ExitProcess(UINT code)
{
    fflush(nullptr);
    _exit(static_cast<int>(code));
}

static std::atomic<int> asked_status{0};

void win32_exit_status_at_least(int status)
{
    int now = asked_status.load();
    while (status > now && !asked_status.compare_exchange_weak(now, status)) {
    }
}

int win32_exit_status_asked(void)
{
    return asked_status.load();
}
