// frames.h - what both sides of the side-by-side benchmark share: their
// command line, the torus mesh as the show loads it, the frame clock, and
// what a run leaves behind (its frame times and one frame as PNG).
//
//   compare_ours FRAMES TIMES [PNG]      (and compare_llvmpipe, the same)
//
// draws the torus effect's frames 0 to WARM_UP + FRAMES - 1, one pose each,
// times each frame from its clear to its finished pixels, and writes the
// times of the last FRAMES to TIMES, one frame a line: milliseconds by the
// wall clock, then by the processor time of all the process's threads (which
// a busy shared machine inflates less). PNG gets the last frame. Run from the
// source root, where pak/ is.
#ifndef LUMIVEX_BENCH_COMPARE_FRAMES_H
#define LUMIVEX_BENCH_COMPARE_FRAMES_H

#include <stdint.h>

#include <vector>

#include "mesh/mesh.h"

// Frames drawn first and not kept: the first loads and uploads the texture,
// the next ones wake the threads and the caches.
const int WARM_UP = 20;
// The torus effect's frames: the poses there are.
const int TORUS_FRAMES = 2160;

struct CompareRun {
    int frames;           // timed frames
    const char *times;    // where their times go
    const char *picture;  // where the last frame goes, or null
    std::vector<double> ms, cpu_ms;
    double lap_start, cpu_lap_start;
};

// Reads the command line into run; false, with the usage said, when it is wrong.
bool parse_run(int argc, char **argv, CompareRun &run);

// The frame clock: lap() ends one frame and starts the next.
void start_laps(CompareRun &run);
void lap(CompareRun &run);

// The torus of the show, loaded and scaled as run_show does; null (and said)
// when pak/ is not here.
Mesh *load_torus();

// Writes the kept frame times and, when asked, the picture: 640x480 RGB565
// pixels, rows from the top or (bottom_up) from the bottom. 0, or 1 when a
// file could not be written (and said).
int finish_run(const CompareRun &run, const uint16_t *rgb565, bool bottom_up);

#endif
