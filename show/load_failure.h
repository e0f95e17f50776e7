// load_failure.h - which of the show's files failed to load. The show ends
// at the first failure; the shell tells the user (app/load_report.cpp).
#ifndef LUMIVEX_LOAD_FAILURE_H
#define LUMIVEX_LOAD_FAILURE_H

// The path of the file whose load ended the show; null while none has failed.
extern const char *show_failed_file;
// Why, when the file was not the cause; null when the shell is to ask the
// file system.
extern const char *show_failed_reason;

// Notes the file as the one that failed; returns 0 for the caller to return.
int load_failed(const char *path);
// The same for a file that loaded but whose copy found no memory.
int copy_failed(const char *path);

#endif
