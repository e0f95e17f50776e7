// file.cpp - files: CreateFileA, GetFileSize, ReadFile and CloseHandle over
// POSIX descriptors. A file handle is FILE_HANDLE_BASE + fd, so handles of
// other kinds (threads, windows) keep their own ranges.
#include <windows.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "handles.h"
#include "last_error.h"

static int handle_fd(HANDLE h)
{
    intptr_t v = reinterpret_cast<intptr_t>(h);
    if (v < FILE_HANDLE_BASE || v >= FILE_HANDLE_BASE + INT_MAX / 2)
        return -1;
    return static_cast<int>(v - FILE_HANDLE_BASE);
}

HANDLE WINAPI CreateFileA(LPCSTR name, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD,
                          HANDLE)
{
    // The program only ever opens existing files for reading.
    if (!name || access != GENERIC_READ || disposition != OPEN_EXISTING) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    // Non-blocking, so that a FIFO put where a data file belongs is refused
    // here rather than hanging the open until some writer appears.
    int fd = open(name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        SetLastError(error_from_errno(errno));
        return INVALID_HANDLE_VALUE;
    }
    struct stat st;
    // Windows refuses to open a folder as a file the same way.
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || fcntl(fd, F_SETFL, 0) != 0) {
        close(fd);
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(FILE_HANDLE_BASE) + fd);
}

DWORD WINAPI GetFileSize(HANDLE h, LPDWORD high)
{
    struct stat st;
    int fd = handle_fd(h);
    if (fd < 0 || fstat(fd, &st) != 0)
        return INVALID_FILE_SIZE;
    unsigned long long size = static_cast<unsigned long long>(st.st_size);
    if (high)
        *high = static_cast<DWORD>(size >> 32);
    else if (size >> 32)
        return INVALID_FILE_SIZE;
    return static_cast<DWORD>(size);
}

BOOL WINAPI ReadFile(HANDLE h, LPVOID buffer, DWORD to_read, LPDWORD read_count, LPOVERLAPPED)
{
    int fd = handle_fd(h);
    if (read_count)
        *read_count = 0;
    if (fd < 0 || (!buffer && to_read))
        return FALSE;
    DWORD done = 0;
    while (done < to_read) {
        ssize_t n = read(fd, static_cast<char *>(buffer) + done, to_read - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            SetLastError(error_from_errno(errno));
            if (read_count)
                *read_count = done;
            return FALSE;
        }
        if (n == 0)
            break;  // end of file: a short read, as on Windows
        done += static_cast<DWORD>(n);
    }
    if (read_count)
        *read_count = done;
    return TRUE;
}

BOOL WINAPI CloseHandle(HANDLE h)
{
    int fd = handle_fd(h);
    if (fd >= 0)
        return close(fd) == 0;
    return close_other_handle(h);
}
