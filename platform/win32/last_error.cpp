// last_error.cpp - the thread's last error, as the file calls leave it, and
// its text in the words Windows uses, so a program that explains a failure
// says the same on every host.
#include "last_error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

thread_local DWORD last_error = ERROR_SUCCESS;

struct ErrorText {
    DWORD code;
    const char *text;
};

const ErrorText TEXTS[] = {
    {ERROR_SUCCESS, "The operation completed successfully."},
    {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified."},
    {ERROR_PATH_NOT_FOUND, "The system cannot find the path specified."},
    {ERROR_TOO_MANY_OPEN_FILES, "The system cannot open the file."},
    {ERROR_ACCESS_DENIED, "Access is denied."},
    {ERROR_NOT_ENOUGH_MEMORY, "Not enough memory resources are available to process this command."},
    {ERROR_READ_FAULT, "The system cannot read from the specified device."},
    {ERROR_GEN_FAILURE, "A device attached to the system is not functioning."},
};

}  // namespace

DWORD error_from_errno(int error)
{
    switch (error) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
    case ENAMETOOLONG: return ERROR_PATH_NOT_FOUND;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case EACCES:
    case EPERM:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EIO: return ERROR_READ_FAULT;
    default: return ERROR_GEN_FAILURE;
    }
}

DWORD WINAPI GetLastError(void)
{
    return last_error;
}

void WINAPI SetLastError(DWORD code)
{
    last_error = code;
}

DWORD WINAPI FormatMessageA(DWORD flags, LPCVOID, DWORD code, DWORD, LPSTR buffer, DWORD size, va_list *)
{
    if (!(flags & FORMAT_MESSAGE_FROM_SYSTEM) || !buffer || size == 0) {
        SetLastError(ERROR_GEN_FAILURE);
        return 0;
    }
    const char *text = nullptr;
    for (const ErrorText &t : TEXTS)
        if (t.code == code)
            text = t.text;
    // Windows ends its messages with a line break; callers trim it.
    int n = text ? snprintf(buffer, size, "%s\r\n", text) : snprintf(buffer, size, "Error %u.\r\n", code);
    if (n < 0 || static_cast<DWORD>(n) >= size) {
        buffer[0] = '\0';
        SetLastError(ERROR_GEN_FAILURE);
        return 0;
    }
    return static_cast<DWORD>(n);
}
