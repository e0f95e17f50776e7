// load_report.cpp - why a data file failed to load, asked once the device is closed.
// The loaders say only that a load failed. The reason is asked of the file
// system afterwards, once the device is closed: a file that cannot be opened
// has the system's own explanation; one that opens was empty, cut short or
// not in its format.
#include "app/shell.h"

#include <stdio.h>
#include <string.h>

#include "show/load_failure.h"

static void explain(const char *path, char *why, DWORD size)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, why,
                           size, nullptr) == 0)
            snprintf(why, size, "it cannot be opened (error %lu)", (unsigned long)error);
        // The system's text ends in a line break.
        size_t n = strlen(why);
        while (n > 0 && (why[n - 1] == '\n' || why[n - 1] == '\r' || why[n - 1] == ' '))
            why[--n] = '\0';
        return;
    }
    DWORD bytes = GetFileSize(file, nullptr);
    CloseHandle(file);
    if (bytes == 0)
        snprintf(why, size, "the file is empty");
    else
        snprintf(why, size, "the file is cut short or is not %s",
                 strstr(path, ".3df") ? "a 3DF texture" : "a mesh file");
}

int report_load_failure()
{
    if (!show_failed_file)
        return 0;
    static char why[256];
    static char text[512];
    if (show_failed_reason)
        snprintf(why, sizeof why, "%s", show_failed_reason);
    else
        explain(show_failed_file, why, sizeof why);
    snprintf(text, sizeof text, "The show cannot load %s: %s", show_failed_file, why);
    MessageBoxA(nullptr, text, "Lumivex", MB_OK | MB_ICONHAND);
    return 1;
}
