// show_bench.cpp - one whole pass of the show (3600 frames) through the real code
// path, offscreen and unpaced unless the environment says otherwise, drawn on
// one thread and then on the default number of threads (LUMIVEX_THREADS
// unset), each pass in a process of its own; prints frames per second and the
// median and worst frame time, by the wall clock and by the processor time of
// all the process's threads (which a busy shared machine does not inflate).
// Run it from the source root, where pak/ is. A frame's time runs from one
// pump to the next, so the first frame of each effect includes loading its
// texture, and frame 0 loading the meshes.
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "device/glidemain.h"
#include "pump/pump.h"
#include "show/show.h"

static const size_t PASS_FRAMES = 3600;

struct FrameTimes {
    std::vector<double> ms;
    double start = 0;
};
static FrameTimes wall, cpu;

static double now_ms(clockid_t clock)
{
    timespec t;
    clock_gettime(clock, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static void end_frame_timing()
{
    double w = now_ms(CLOCK_MONOTONIC), c = now_ms(CLOCK_PROCESS_CPUTIME_ID);
    wall.ms.push_back(w - wall.start);
    cpu.ms.push_back(c - cpu.start);
    wall.start = w;
    cpu.start = c;
}

// Called by the show's real pump once a frame.
static void end_frame(long)
{
    end_frame_timing();
    // A key in the second-to-last frame: the pass ends after its last frame.
    if (wall.ms.size() == PASS_FRAMES - 1)
        ++quit_requests;
}

static double median_of(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    size_t n = ms.size();
    return n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
}

static void report(const char *clock, const std::vector<double> &ms)
{
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    double median = median_of(ms);
    size_t worst = std::max_element(ms.begin(), ms.end()) - ms.begin();
    // The worst frame that loads nothing: not 0, 720, 1440, where effects start.
    double steady_worst = 0;
    size_t steady_frame = 0;
    for (size_t f = 0; f < PASS_FRAMES; ++f)
        if (f != 0 && f != 720 && f != 1440 && ms[f] > steady_worst) {
            steady_worst = ms[f];
            steady_frame = f;
        }
    printf("%-5s frame time: median %.3f ms, 99th percentile %.3f ms, worst %.3f ms (frame %zu), "
           "worst without loading %.3f ms (frame %zu)\n",
           clock, median, sorted[PASS_FRAMES * 99 / 100], ms[worst], worst, steady_worst, steady_frame);
    // By effect; the worst leaves out the effect's first frame, which loads.
    const size_t starts[] = {0, 720, 1440, PASS_FRAMES};
    const char *names[] = {"logo", "cubes", "torus"};
    printf("%-5s by effect:", clock);
    for (int e = 0; e < 3; ++e)
        printf(" %s median %.3f ms worst %.3f ms%s", names[e],
               median_of({ms.begin() + starts[e], ms.begin() + starts[e + 1]}),
               *std::max_element(ms.begin() + starts[e] + 1, ms.begin() + starts[e + 1]), e < 2 ? "," : "\n");
}

static int run_pass()
{
    wall.ms.reserve(PASS_FRAMES);
    cpu.ms.reserve(PASS_FRAMES);
    call_each_frame(end_frame);
    // The device comes up and goes down outside the frames timed.
    voo_init();
    voo_open(nullptr);
    voo_set_render_state();
    double start = now_ms(CLOCK_MONOTONIC);
    wall.start = start;
    cpu.start = now_ms(CLOCK_PROCESS_CPUTIME_ID);
    run_show();
    end_frame_timing();
    double total_s = (now_ms(CLOCK_MONOTONIC) - start) / 1e3;
    voo_close();

    if (wall.ms.size() != PASS_FRAMES) {
        fprintf(stderr, "show_bench: the show ran %zu frames, not %zu (is pak/ here?)\n", wall.ms.size(),
                PASS_FRAMES);
        return 1;
    }
    const char *threads = getenv("LUMIVEX_THREADS");
    printf("threads %s: frames %zu in %.3f s: %.1f frames/s\n", threads ? threads : "default", PASS_FRAMES,
           total_s, PASS_FRAMES / total_s);
    report("wall", wall.ms);
    report("cpu", cpu.ms);
    return 0;
}

int main()
{
    setenv("LUMIVEX_OUTPUT", "offscreen", 0);
    setenv("LUMIVEX_SWAP_INTERVAL", "0", 0);
    for (const char *threads : {"1", ""}) {
        fflush(stdout);
        pid_t pid = fork();
        if (pid == 0) {
            if (*threads)
                setenv("LUMIVEX_THREADS", threads, 1);
            else
                unsetenv("LUMIVEX_THREADS");
            int status = run_pass();
            fflush(stdout);
            _exit(status);
        }
        int status = 0;
        if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            return 1;
    }
    return 0;
}
