// echoed.h - a setting's value as the stand-ins' reports show it: quoted, and
// cut to its first 60 characters and "..." when longer. A value of any length
// may come from the environment; a report's line stays readable with its
// first characters. Shared by platform/glide and platform/win32, which use
// nothing of each other's insides; a header alone, so that the Windows build
// of Glide, which has no win32 stand-in, has it too.
#ifndef LUMIVEX_PLATFORM_ECHOED_H
#define LUMIVEX_PLATFORM_ECHOED_H

#include <cstring>
#include <string>

inline std::string echoed(const char *value)
{
    constexpr size_t SHOWN = 60;
    std::string v(value, strnlen(value, SHOWN + 1));
    if (v.size() > SHOWN)
        v.replace(SHOWN, std::string::npos, "...");
    return '"' + v + '"';
}

#endif
