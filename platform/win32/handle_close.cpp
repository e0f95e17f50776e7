// handle_close.cpp - CloseHandle for handles that are neither files nor windows.

#include "handles.h"

// Thread handles stay valid until the process ends, as the program never
// closes them; anything else is not ours.
BOOL close_other_handle(HANDLE h)
{
    intptr_t v = reinterpret_cast<intptr_t>(h);
    return v >= THREAD_HANDLE_BASE && v < FILE_HANDLE_BASE;
}
