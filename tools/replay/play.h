// play.h - plays LUMIVEX_TRACE call traces back through our Glide, one line
// at a time; the replayer's main reads the file, a fuzzer feeds it lines.
#ifndef LUMIVEX_REPLAY_PLAY_H
#define LUMIVEX_REPLAY_PLAY_H

#include <glide.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

// What a trace's pointer arguments stand for in this run, and the count of
// lines that could not be played.
struct TracePlayer {
    const char *name = "";  // of the trace, for the reports
    FILE *errors = stderr;  // where the reports go; null: nowhere
    int line_number = 0;
    int problems = 0;

    Gu3dfInfo info{};
    std::vector<unsigned char> texels;  // the block gu3dfLoad filled
    GrHwConfiguration hardware{};
    std::map<long long, GrMipMapId_t> handles;  // traced value -> this run's
    GrMipMapId_t allocated = GR_NULL_MIPMAP_HANDLE;
    bool unclaimed = false;  // an allocation no traced handle stands for yet
};

// Plays one line (without its newline) and counts it. An unknown or
// malformed line, or a call that fails here, is reported with its number and
// makes it false; the player can go on with the next line.
bool play_line(TracePlayer &player, const std::string &line);

#endif
