// trace.cpp - fuzzes the trace replayer's line player: each input is a trace,
// played line by line through our Glide offscreen with a fresh player, as the
// replay tool plays a file. Texture files are named relative to the source
// tree, where the fuzzer runs.
#include "fuzz/lines.h"
#include "play.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    setenv("LUMIVEX_OUTPUT", "offscreen", 1);
    setenv("LUMIVEX_SWAP_INTERVAL", "0", 1);
    // A trace may open the device in every input: one drawing thread spares
    // starting and stopping a band thread per core each time.
    setenv("LUMIVEX_THREADS", "1", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TracePlayer player;
    player.errors = nullptr;
    for (const std::string &line : lines_of(data, size))
        play_line(player, line);
    return 0;
}
