// settings_table.cpp - prints our Glide's table of settings, a setting a line
// (name, its words or "-", default, meaning, tab between), for
// tests/install/settings_documented.sh to hold the other lists against; fails
// when the tests' clean environment leaves one of them set.
#include <cstdio>
#include <vector>

#include "platform/glide/config.h"
#include "tests/support/environment.h"

int main()
{
    std::vector<const char *> names;
    for (size_t k = 0; k < glide_setting_count; ++k) {
        const Setting &s = glide_settings[k];
        std::printf("%s\t%s\t%s\t%s\n", s.name, s.kind == SettingKind::WORDS ? s.words : "-",
                    s.fallback ? s.fallback : "the machine's", s.meaning);
        names.push_back(s.name);
    }
    return clears_settings(names) ? 0 : 1;
}
