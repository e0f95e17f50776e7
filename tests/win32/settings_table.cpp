// settings_table.cpp - prints our Win32's table of settings, as
// tests/glide/settings_table.cpp prints our Glide's.
#include <cstdio>
#include <vector>

#include "platform/win32/settings.h"
#include "tests/support/environment.h"

int main()
{
    std::vector<const char *> names;
    for (size_t k = 0; k < win32_setting_count; ++k) {
        const Win32Setting &s = *win32_settings[k];
        std::printf("%s\t%s\t%s\t%s\n", s.name, s.words, s.fallback, s.meaning);
        names.push_back(s.name);
    }
    return clears_settings(names) ? 0 : 1;
}
