// handles.h - how the Win32 stand-in numbers its handles. Every handle is a
// small integer cast to a pointer, one range per kind, so that a handle
// survives the program's cast to a 32-bit value and CloseHandle can tell the
// kinds apart.
#ifndef LUMIVEX_WIN32_HANDLES_H
#define LUMIVEX_WIN32_HANDLES_H

#include <windows.h>

const intptr_t WINDOW_HANDLE_BASE = 0x100;   // windows: 0x100 + slot
const intptr_t THREAD_HANDLE_BASE = 0x8000;  // threads: 0x8000 + slot
const intptr_t FILE_HANDLE_BASE = 0x10000;   // files: 0x10000 + descriptor

// Closes a handle that is not a file; FALSE for one we never gave out.
BOOL close_other_handle(HANDLE h);

#endif
