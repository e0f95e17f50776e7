// The process: its executable's path, a debugger break, its end, and what
// went wrong below the program that its own result cannot say.
#include <windows.h>

#include <unistd.h>
#include <win32_sdl.h>

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

// Set by whichever thread finds the failure, read at exit.
static std::atomic<bool> output_failed{false};

void win32_output_failed(void)
{
    output_failed = true;
}

int win32_output_has_failed(void)
{
    return output_failed;
}
