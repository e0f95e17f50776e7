// glide_bench.cpp - time per frame of show-like scenes: draw, swap, clear, as the
// show's frame does, on one thread and on the default number of threads
// (LUMIVEX_THREADS unset). Offscreen and unpaced (LUMIVEX_SWAP_INTERVAL=0)
// unless the environment says otherwise; LUMIVEX_DUMP_DIR and
// LUMIVEX_DUMP_FRAMES write a benchmark's frames as pictures (frames restart
// at 0 for each benchmark). Besides the mean, each run reports the median and
// the worst frame by the wall clock.
//
//   build/bench/glide/glide_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
#include "scenes.h"

#include "device/glidemain.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// state.range(0): the threads that draw; 0 for the default.
void run(benchmark::State &state, SceneKind kind)
{
    Scene scene = make_scene(kind, 16);
    if (state.range(0) > 0)
        setenv("LUMIVEX_THREADS", std::to_string(state.range(0)).c_str(), 1);
    else
        unsetenv("LUMIVEX_THREADS");
    // The show's own start-up; a failure is reported by its assertion report.
    voo_init();
    voo_open(nullptr);
    voo_set_render_state();
    prepare_scene(scene);
    size_t triangles = 0;
    for (const auto &f : scene.frames)
        triangles += f.size() / 3;
    std::vector<double> ms;
    int i = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        draw_scene_frame(scene, i++);
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    state.counters["triangles"] = (double)triangles / scene.frames.size();
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["worst_ms"] = ms.back();
    voo_close();
}

void torus(benchmark::State &state)
{
    run(state, SCENE_TORUS);
}
void cubes(benchmark::State &state)
{
    run(state, SCENE_CUBES);
}
void logo(benchmark::State &state)
{
    run(state, SCENE_LOGO);
}

}  // namespace

BENCHMARK(torus)->ArgName("threads")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(cubes)->ArgName("threads")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(logo)->ArgName("threads")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    setenv("LUMIVEX_OUTPUT", "offscreen", 0);
    setenv("LUMIVEX_SWAP_INTERVAL", "0", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
