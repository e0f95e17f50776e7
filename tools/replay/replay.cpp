// replay.cpp - replay TRACE: plays a Glide call trace (as LUMIVEX_TRACE writes it) back
// through the library, for debugging and for comparing two builds: set
// LUMIVEX_DUMP_DIR and LUMIVEX_DUMP_FRAMES to get the frames as pictures.
// Unless they are set already, LUMIVEX_OUTPUT is "offscreen" and
// LUMIVEX_SWAP_INTERVAL is 0, so a replay needs no display and never waits.
//
// A trace has one call a line: the name, then the arguments separated by
// single spaces (integers in decimal, floats, strings in double quotes,
// pointers as -); guDrawTriangleWithClip carries x y oow sow tow tmuoow r g b
// for each of its three vertices. Pointer arguments get records of the
// replay's own: one Gu3dfInfo for gu3dfGetInfo and gu3dfLoad (gu3dfLoad
// allocates its mem_required bytes), whose texels and table the next
// guTexDownloadMipMap sends, and one GrHwConfiguration; grSstWinOpen gets a
// null window. Texture handles are matched by value: the first handle value
// a download or source line names after an allocation stands for the handle
// that allocation returned in this run. A download of a mip-map larger than
// the texels the last gu3dfLoad read is malformed: it would read past them.
//
// Unknown or malformed lines, and texture files or a device that fail here,
// are reported with their line number; the replay goes on and exits with 1.
// It exits with 0 when every line played, and with 2 when it cannot start.
#include "play.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

void default_env(const char *name, const char *value)
{
    if (std::getenv(name))
        return;
#ifdef _WIN32
    _putenv_s(name, value);
#else
    setenv(name, value, 0);
#endif
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: replay TRACE\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "replay: cannot read %s\n", argv[1]);
        return 2;
    }
    default_env("LUMIVEX_OUTPUT", "offscreen");
    default_env("LUMIVEX_SWAP_INTERVAL", "0");

    TracePlayer player;
    player.name = argv[1];
    std::string line;
    while (std::getline(in, line))
        play_line(player, line);
    return player.problems ? 1 : 0;
}
