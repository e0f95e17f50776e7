// assertion.h - the run-time's assertion report, as the device's two start-up
// checks raise it: a message box naming the expression, the source and the
// line, with Abort (the process ends with status 3), Retry (a debugger break,
// then on as Ignore) and Ignore (on as if the check had passed).
#ifndef LUMIVEX_DEVICE_ASSERTION_H
#define LUMIVEX_DEVICE_ASSERTION_H

#include <stddef.h>

// Writes the report's text for the program path into buffer (always
// terminated, cut short if it does not fit); returns buffer.
char *format_assertion_report(char *buffer, size_t size, const char *program, const char *expression,
                              const char *file, unsigned line);

// Shows the report and acts on the answer; returns only for Retry and Ignore.
void report_assertion(const char *expression, const char *file, unsigned line);

#endif
