// settings_table.cpp - prints our Glide's table of settings, a setting a line
// (name, what it takes, default, meaning, tab between), for
// tests/install/settings_documented.sh to hold the other lists against; fails
// when the tests' clean environment leaves one of them set.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/glide/config.h"
#include "tests/support/environment.h"

static std::string takes(const Setting &s)
{
    char range[64];
    std::snprintf(range, sizeof range, "%.12g..%.12g", s.lo, s.hi);
    switch (s.kind) {
    case SettingKind::WORDS: return s.words;
    case SettingKind::INTEGER:
    case SettingKind::NUMBER: return range;
    case SettingKind::FRAMES: return "frames";
    case SettingKind::TEXT: return "path";
    }
    return "";
}

int main()
{
    std::vector<const char *> names;
    for (size_t k = 0; k < glide_setting_count; ++k) {
        const Setting &s = glide_settings[k];
        std::printf("%s\t%s\t%s\t%s\n", s.name, takes(s).c_str(), s.fallback ? s.fallback : "the machine's",
                    s.meaning);
        names.push_back(s.name);
    }
    return clears_settings(names) ? 0 : 1;
}
