// Fuzzes the settings parser: each input line NAME=VALUE is set in the
// environment (every LUMIVEX_ variable unset first), then the settings are
// read as grGlideInit reads them; the frame-list parser also gets each value.
#include "fuzz/lines.h"
#include "platform/glide/config.h"

#include <cstdlib>

namespace {

// LUMIVEX_TRACE is left out: it names a file the settings open for writing.
const char *const NAMES[] = {"LUMIVEX_OUTPUT",       "LUMIVEX_SCALE",        "LUMIVEX_SWAP_INTERVAL",
                             "LUMIVEX_TRACE_FRAMES", "LUMIVEX_DUMP_DIR",     "LUMIVEX_DUMP_FRAMES",
                             "LUMIVEX_CAPTURE",      "LUMIVEX_KEY_AT_FRAME", "LUMIVEX_BOARDS",
                             "LUMIVEX_FAIL_OPEN",    "LUMIVEX_THREADS",      "LUMIVEX_FILTER",
                             "LUMIVEX_GAMMA",        "LUMIVEX_RESOLUTION",   "LUMIVEX_COLOUR"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    for (const char *name : NAMES)
        unsetenv(name);
    for (const std::string &line : lines_of(data, size)) {
        size_t equals = line.find('=');
        if (equals == std::string::npos || line.find('\0') != std::string::npos)
            continue;
        std::string name = line.substr(0, equals), value = line.substr(equals + 1);
        FrameList list;
        parse_frame_list(value.c_str(), &list);
        for (const char *known : NAMES)
            if (name == known)
                setenv(known, value.c_str(), 1);
    }
    GlideConfig config = read_config();
    (void)config;
    return 0;
}
