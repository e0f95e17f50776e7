// show_runs.h - what the show's tests share: small mesh files written with
// the mesh generator's own writer, a pak/ folder staged in a
// temporary directory, a run of the show probe there, and the Glide trace it
// leaves, read as the effects it played.
#ifndef LUMIVEX_TESTS_SHOW_RUNS_H
#define LUMIVEX_TESTS_SHOW_RUNS_H

#include <string>
#include <vector>

#include "../device/run_probe.h"
#include "mesh_writer.h"

bool write_mesh_file(const std::string &path, const MeshModel &model);

// A tetrahedron about the origin with extent 2, texture faces and vertices
// and a colour per vertex: enough for every draw mode, and quick to draw.
MeshModel tetrahedron();

// A temporary directory with pak/ holding the committed textures and either
// the committed meshes or tetrahedra (fast to draw). Removed when the object
// goes.
struct StagedShow {
    enum Meshes { COMMITTED, TETRAHEDRA };

    std::string directory;

    explicit StagedShow(Meshes meshes);
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

// The triangle lines of every frame: frame f's are those after the f-th
// buffer swap, up to the next.
std::vector<std::vector<std::string>> triangles_by_frame(const std::vector<std::string> &trace);

// The effects a run played, in order: the texture each read and the frames
// it showed, 0 where its texture was missing, and "closed" when the device
// was closed last; e.g. "3dfx.3df:720 cube.3df:1 closed".
std::string effects_played(const std::vector<std::string> &trace);

#endif
