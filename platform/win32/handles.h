// handles.h - how the Win32 stand-in numbers its handles. Every handle is a
// small integer cast to a pointer, one range per kind, so that a handle
// survives the program's cast to a 32-bit value and CloseHandle can tell the
// kinds apart.
#ifndef LUMIVEX_WIN32_HANDLES_H
#define LUMIVEX_WIN32_HANDLES_H

#include <windows.h>

const intptr_t GDI_HANDLE_BASE = 0x20;       // stock objects, icons, cursors: 0x20..0xff
const intptr_t WINDOW_HANDLE_BASE = 0x100;   // windows: 0x100 + slot
const intptr_t THREAD_HANDLE_BASE = 0x8000;  // threads: 0x8000 + slot
const intptr_t FILE_HANDLE_BASE = 0x10000;   // files: 0x10000 + descriptor

// Slots are never reused, so a stale window handle never names a newer window.
const intptr_t MAX_WINDOWS = THREAD_HANDLE_BASE - WINDOW_HANDLE_BASE;

// Closes a handle that is not a file; FALSE for one we never gave out.
BOOL close_other_handle(HANDLE h);

#endif
