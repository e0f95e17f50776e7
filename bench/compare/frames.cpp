// frames.cpp - see frames.h.
#include "frames.h"

#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include "show/show.h"

static const int WIDTH = 640, HEIGHT = 480;

bool parse_run(int argc, char **argv, CompareRun &run)
{
    char *end = nullptr;
    long frames = argc == 3 || argc == 4 ? strtol(argv[1], &end, 10) : 0;
    if (!end || *end || frames < 1 || frames > TORUS_FRAMES - WARM_UP) {
        fprintf(stderr, "usage: %s FRAMES TIMES [PNG], FRAMES from 1 to %d\n", argv[0],
                TORUS_FRAMES - WARM_UP);
        return false;
    }
    run.frames = (int)frames;
    run.times = argv[2];
    run.picture = argc == 4 ? argv[3] : nullptr;
    run.ms.reserve(WARM_UP + run.frames);
    run.cpu_ms.reserve(WARM_UP + run.frames);
    return true;
}

static double now_ms(clockid_t clock)
{
    timespec t;
    clock_gettime(clock, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void start_laps(CompareRun &run)
{
    run.lap_start = now_ms(CLOCK_MONOTONIC);
    run.cpu_lap_start = now_ms(CLOCK_PROCESS_CPUTIME_ID);
}

void lap(CompareRun &run)
{
    double wall = run.lap_start, cpu = run.cpu_lap_start;
    start_laps(run);
    run.ms.push_back(run.lap_start - wall);
    run.cpu_ms.push_back(run.cpu_lap_start - cpu);
}

Mesh *load_torus()
{
    Mesh *torus = mesh_load("pak//torus.dat");
    if (!torus || !drawable(torus, true, true)) {
        fprintf(stderr, "compare: cannot load pak//torus.dat (run from the source root)\n");
        return nullptr;
    }
    mesh_normalise(torus, 100.0f);
    return torus;
}

int finish_run(const CompareRun &run, const uint16_t *rgb565, bool bottom_up)
{
    if (run.ms.size() != (size_t)(WARM_UP + run.frames)) {
        fprintf(stderr, "compare: %zu frames drawn, not %d\n", run.ms.size(), WARM_UP + run.frames);
        return 1;
    }
    FILE *f = fopen(run.times, "w");
    if (!f) {
        perror(run.times);
        return 1;
    }
    for (size_t i = WARM_UP; i < run.ms.size(); ++i)
        fprintf(f, "%.4f %.4f\n", run.ms[i], run.cpu_ms[i]);
    if (fclose(f) != 0) {
        perror(run.times);
        return 1;
    }
    if (!run.picture)
        return 0;
    // Each 5- or 6-bit channel widened by repeating its top bits.
    std::vector<uint8_t> rgb(WIDTH * HEIGHT * 3);
    for (int y = 0; y < HEIGHT; ++y)
        for (int x = 0; x < WIDTH; ++x) {
            uint16_t p = rgb565[(bottom_up ? HEIGHT - 1 - y : y) * WIDTH + x];
            uint8_t *o = &rgb[(y * WIDTH + x) * 3];
            int r = p >> 11, g = (p >> 5) & 63, b = p & 31;
            o[0] = (uint8_t)(r << 3 | r >> 2);
            o[1] = (uint8_t)(g << 2 | g >> 4);
            o[2] = (uint8_t)(b << 3 | b >> 2);
        }
    if (!stbi_write_png(run.picture, WIDTH, HEIGHT, 3, rgb.data(), WIDTH * 3)) {
        fprintf(stderr, "compare: cannot write %s\n", run.picture);
        return 1;
    }
    return 0;
}
