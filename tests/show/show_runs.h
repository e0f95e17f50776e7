// show_runs.h - what the show's tests share: a pak/ folder staged in a
// temporary directory, a run of the show probe there, the Glide trace it
// leaves, and the calls a run is expected to make.
#ifndef LUMIVEX_TESTS_SHOW_RUNS_H
#define LUMIVEX_TESTS_SHOW_RUNS_H

#include <string>
#include <vector>

#include "../device/run_probe.h"

// A temporary directory with pak/ holding the committed textures and either
// the committed meshes or tetrahedra (fast to draw); names in omit are left
// out. Removed when the object goes.
struct StagedShow {
    enum Meshes { COMMITTED, TETRAHEDRA };

    std::string directory;

    explicit StagedShow(Meshes meshes, const std::vector<std::string> &omit = {});
    ~StagedShow();
    StagedShow(const StagedShow &) = delete;
    StagedShow &operator=(const StagedShow &) = delete;

    std::string pak(const std::string &name) const { return directory + "/pak/" + name; }
};

struct ShowRun {
    ProbeResult result;
    std::vector<std::string> trace;
};

// Runs the probe offscreen and unpaced in the staged directory, tracing.
ShowRun run_show_probe(const StagedShow &show, std::vector<std::string> env = {});

// The words of a trace line: the call's name, then its arguments.
std::vector<std::string> words(const std::string &line);

// The trace without triangles, each allocation's file-dependent arguments
// (size, format, levels, aspect) replaced by "#".
std::vector<std::string> state_calls(const std::vector<std::string> &trace);

// The triangle lines of every frame: frame f's are those after the f-th
// buffer swap, up to the next.
std::vector<std::vector<std::string>> triangles_by_frame(const std::vector<std::string> &trace);

// The calls a run should make, built effect by effect. Texture handles are
// the library's choice: they are taken in order from the trace's downloads.
struct ExpectedCalls {
    std::vector<std::string> lines;

    explicit ExpectedCalls(const std::vector<std::string> &trace);
    ExpectedCalls &start_up();
    // loads false: the texture file is missing and the effect stops at its read.
    ExpectedCalls &logo(long frames, bool loads = true);
    ExpectedCalls &cubes(long frames, bool loads = true);
    ExpectedCalls &torus(long frames, bool loads = true);
    ExpectedCalls &pass() { return logo(720).cubes(720).torus(2160); }
    ExpectedCalls &close();

private:
    std::vector<std::string> handles_;
    size_t next_handle_ = 0;
    std::string handle_;

    void add(std::initializer_list<std::string> calls);
    bool load(const char *file, bool loads);
    void end_of_frame();
};

// Empty when equal, else where they first differ, with a little context.
std::string first_difference(const std::vector<std::string> &actual, const std::vector<std::string> &expected);

#endif
