// glide_bench - time per frame of show-like scenes: draw, swap, clear, as the
// show's frame does. Offscreen and unpaced (LUMIVEX_SWAP_INTERVAL=0) unless the
// environment says otherwise; LUMIVEX_DUMP_DIR and LUMIVEX_DUMP_FRAMES write
// a benchmark's frames as pictures (frames restart at 0 for each benchmark).
//
//   build/bench/glide/glide_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "scenes.h"

#include "device/glidemain.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void run(benchmark::State &state, SceneKind kind) {
    Scene scene = make_scene(kind, 16);
    // The show's own start-up; a failure is reported by its assertion report.
    voo_init();
    voo_open(nullptr);
    voo_set_render_state();
    prepare_scene(scene);
    size_t triangles = 0;
    for (const auto &f : scene.frames) triangles += f.size() / 3;
    int i = 0;
    for (auto _ : state) draw_scene_frame(scene, i++);
    state.counters["triangles"] = (double)triangles / scene.frames.size();
    voo_close();
}

void torus(benchmark::State &state) { run(state, SCENE_TORUS); }
void cubes(benchmark::State &state) { run(state, SCENE_CUBES); }
void logo(benchmark::State &state) { run(state, SCENE_LOGO); }

}  // namespace

BENCHMARK(torus)->Unit(benchmark::kMillisecond);
BENCHMARK(cubes)->Unit(benchmark::kMillisecond);
BENCHMARK(logo)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) {
    setenv("LUMIVEX_OUTPUT", "offscreen", 0);
    setenv("LUMIVEX_SWAP_INTERVAL", "0", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
