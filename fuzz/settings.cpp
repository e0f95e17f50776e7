// settings.cpp - fuzzes the settings parser: each input line NAME=VALUE is
// set in the environment (every setting of our Glide's table unset first),
// then the settings are read as grGlideInit reads them; the frame-list parser
// also gets each value.
#include "fuzz/lines.h"
#include "platform/glide/config.h"

#include <cstdlib>
#include <cstring>

namespace {

// LUMIVEX_TRACE is left out: it names a file the settings open for writing.
bool fuzzed(const Setting &s)
{
    return std::strcmp(s.name, "LUMIVEX_TRACE") != 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    for (size_t k = 0; k < glide_setting_count; ++k)
        unsetenv(glide_settings[k].name);
    for (const std::string &line : lines_of(data, size)) {
        size_t equals = line.find('=');
        if (equals == std::string::npos || line.find('\0') != std::string::npos)
            continue;
        std::string name = line.substr(0, equals), value = line.substr(equals + 1);
        FrameList list;
        parse_frame_list(value.c_str(), &list);
        for (size_t k = 0; k < glide_setting_count; ++k)
            if (name == glide_settings[k].name && fuzzed(glide_settings[k]))
                setenv(glide_settings[k].name, value.c_str(), 1);
    }
    GlideConfig config = read_config();
    (void)config;
    return 0;
}
