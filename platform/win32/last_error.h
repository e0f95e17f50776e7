// last_error.h - the stand-in's calls report their failures as Win32 error
// codes through SetLastError, translated from the host's errno.
#ifndef LUMIVEX_WIN32_LAST_ERROR_H
#define LUMIVEX_WIN32_LAST_ERROR_H

#include <windows.h>

// The Win32 error code nearest to a POSIX errno value.
DWORD error_from_errno(int error);

#endif
