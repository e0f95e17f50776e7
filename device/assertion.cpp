// assertion.cpp - the report that a failed assert() of the C run-time shows on Windows, with
// its text and buttons, so the device's start-up checks look and behave as
// they always did, also on hosts whose run-time reports differently.
#include "device/assertion.h"

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

static const char ASSERTION_CAPTION[] = "Microsoft Visual C++ Runtime Library";

char *format_assertion_report(char *buffer, size_t size, const char *program, const char *expression,
                              const char *file, unsigned line)
{
    snprintf(buffer, size,
             "Assertion failed!\n"
             "\n"
             "Program: %s\n"
             "File: %s\n"
             "Line: %u\n"
             "\n"
             "Expression: %s\n"
             "\n"
             "For information on how your program can cause an assertion failure, "
             "see the Visual C++ documentation on asserts\n"
             "\n"
             "(Press Retry to debug the application - JIT must be enabled)",
             program, file, line, expression);
    return buffer;
}

void report_assertion(const char *expression, const char *file, unsigned line)
{
    char program[260];
    if (GetModuleFileNameA(nullptr, program, sizeof program) == 0)
        snprintf(program, sizeof program, "<program name unknown>");
    program[sizeof program - 1] = '\0';  // a path cut short is not always terminated

    static char text[1024];
    format_assertion_report(text, sizeof text, program, expression, file, line);
    int answer = MessageBoxA(nullptr, text, ASSERTION_CAPTION,
                             MB_ABORTRETRYIGNORE | MB_ICONHAND | MB_TASKMODAL | MB_SETFOREGROUND);
    if (answer == IDABORT) {
        // The run-time's abort: status 3 at once, no clean-up, the device left open.
        fflush(nullptr);
        _Exit(3);
    }
    if (answer == IDRETRY)
        DebugBreak();
}
