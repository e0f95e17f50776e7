// The show's driver and effects through the real code path, on tetrahedra so
// a whole pass takes little time: the calls of every frame, where missing or
// unusable files end the show, quitting, and what later passes reuse.
#include <gtest/gtest.h>

#include <sstream>

#include "mesh/mesh.h"
#include "mesh_file.h"
#include "show_runs.h"

namespace {

void expect_calls(const ShowRun &run, ExpectedCalls &expected)
{
    EXPECT_EQ(run.result.status, 0) << run.result.err;
    std::string difference = first_difference(state_calls(run.trace), expected.lines);
    EXPECT_TRUE(difference.empty()) << difference;
}

std::string frames_pumped(long n) { return "frames " + std::to_string(n) + "\n"; }

} // namespace

TEST(Quit, AKeyDispatchedInFrameNEndsTheShowAfterFrameNPlusOne)
{
    StagedShow show(StagedShow::TETRAHEDRA);
    ShowRun run = run_show_probe(show, {"PROBE_KEY_IN_FRAME=10"});
    ExpectedCalls expected(run.trace);
    expect_calls(run, expected.start_up().logo(12).close());
    EXPECT_EQ(run.result.out, frames_pumped(11)); // frame 11 ends on the quit test, before its pump
}

TEST(Quit, AKeyInTheLogosLastFrameIsSeenInTheFirstFrameOfTheCubes)
{
    StagedShow show(StagedShow::TETRAHEDRA);
    ShowRun run = run_show_probe(show, {"PROBE_KEY_IN_FRAME=719"});
    ExpectedCalls expected(run.trace);
    expect_calls(run, expected.start_up().logo(720).cubes(1).close());
}

TEST(Quit, AKeyDuringTheCubesEndsThemAfterTheNextFrame)
{
    StagedShow show(StagedShow::TETRAHEDRA);
    ShowRun run = run_show_probe(show, {"PROBE_KEY_IN_FRAME=1000"});
    ExpectedCalls expected(run.trace);
    expect_calls(run, expected.start_up().logo(720).cubes(282).close());
}

struct MissingFile {
    const char *file;
    long logo, cubes, torus; // frames of each effect; -1: not started; -2: started, its texture missing
};

class MissingFiles : public ::testing::TestWithParam<MissingFile> {};

TEST_P(MissingFiles, EndTheShowWhereTheyAreFirstNeeded)
{
    const MissingFile &c = GetParam();
    StagedShow show(StagedShow::TETRAHEDRA, {c.file});
    ShowRun run = run_show_probe(show);
    ExpectedCalls expected(run.trace);
    expected.start_up();
    if (c.logo != -1)
        expected.logo(c.logo, c.logo != -2);
    if (c.cubes != -1)
        expected.cubes(c.cubes, c.cubes != -2);
    if (c.torus != -1)
        expected.torus(c.torus, c.torus != -2);
    expect_calls(run, expected.close());
}

INSTANTIATE_TEST_SUITE_P(Show, MissingFiles,
                         ::testing::Values(MissingFile{"torus.dat", -1, -1, -1}, MissingFile{"3dfx.dat", -1, -1, -1},
                                           MissingFile{"cube.dat", -1, -1, -1}, MissingFile{"3dfx.3df", -2, -1, -1},
                                           MissingFile{"cube.3df", 720, -2, -1},
                                           MissingFile{"torus.3df", 720, 720, -2}));

// Meshes the draw modes could not read whole are refused like missing ones.
TEST(UnusableMeshes, EndTheShowBeforeAnyEffect)
{
    MeshModel plain = tetrahedron();
    plain.tex_faces.clear();
    plain.tex_vertices.clear();
    plain.colours.clear();
    MeshModel uncoloured = tetrahedron();
    uncoloured.colours.clear();
    MeshModel untextured = tetrahedron();
    untextured.tex_vertices.clear();
    MeshModel huge = tetrahedron();
    huge.vertices.resize(MAX_VERTICES + 1, {0, 0, 0});
    huge.colours.resize(MAX_VERTICES + 1, {1, 1, 1});

    const std::pair<const char *, MeshModel> cases[] = {
        {"3dfx.dat", plain}, {"3dfx.dat", untextured}, {"torus.dat", uncoloured},
        {"torus.dat", huge}, {"cube.dat", huge},
    };
    for (const auto &[file, mesh] : cases) {
        StagedShow show(StagedShow::TETRAHEDRA);
        write_mesh_file(show.pak(file), mesh);
        ShowRun run = run_show_probe(show);
        ExpectedCalls expected(run.trace);
        SCOPED_TRACE(file);
        expect_calls(run, expected.start_up().close());
    }

    // The cube is drawn untextured: a plain one is fine.
    StagedShow show(StagedShow::TETRAHEDRA);
    write_mesh_file(show.pak("cube.dat"), plain);
    ShowRun run = run_show_probe(show, {"PROBE_KEY_IN_FRAME=800"});
    ExpectedCalls expected(run.trace);
    expect_calls(run, expected.start_up().logo(720).cubes(82).close());
}

// A pass and a half with the mesh files removed in the first frame: the
// second pass reloads its textures, and neither reloads nor rescales a mesh,
// and the heap is the same in the first torus frame of both passes (by then
// the library has seen every texture once).
TEST(LaterPasses, ReloadTexturesOnlyDrawTheSameMeshesAndKeepTheHeapFlat)
{
    const long PASS = 3600, TORUS = 1440;
    StagedShow show(StagedShow::TETRAHEDRA);
    ShowRun run = run_show_probe(show, {"PROBE_KEY_IN_FRAME=" + std::to_string(PASS + TORUS),
                                        "PROBE_REMOVE_MESHES_IN_FRAME=0", "PROBE_HEAP_IN_FRAME=" + std::to_string(TORUS)});
    ExpectedCalls expected(run.trace);
    expect_calls(run, expected.start_up().pass().logo(720).cubes(720).torus(2).close());

    std::vector<std::vector<std::string>> frames = triangles_by_frame(run.trace);
    ASSERT_EQ(frames.size(), size_t(PASS + TORUS + 3));
    for (long f = 0; f < TORUS + 2; ++f) {
        std::vector<std::string> first = frames[f], second = frames[f + PASS];
        // The cubes of the first pass come before any torus, so they carry no colour.
        if (f >= 720 && f < TORUS) {
            ASSERT_EQ(first.size(), second.size()) << "frame " << f;
            for (size_t i = 0; i < first.size(); ++i) {
                std::vector<std::string> a = words(first[i]), b = words(second[i]);
                for (int k = 0; k < 3; ++k)
                    for (int c = 7; c <= 9; ++c) {
                        EXPECT_EQ(a[9 * k + c], "0");
                        b[9 * k + c] = a[9 * k + c];
                    }
                ASSERT_EQ(a, b) << "frame " << f;
            }
        } else {
            ASSERT_EQ(first, second) << "frame " << f;
        }
    }
    // Later cubes keep the colours of the last torus triangle, corner by corner.
    std::string last_torus;
    for (long f = PASS - 1; last_torus.empty() && f >= TORUS; --f)
        if (!frames[f].empty())
            last_torus = frames[f].back();
    ASSERT_FALSE(last_torus.empty());
    ASSERT_FALSE(frames[720 + PASS].empty());
    std::vector<std::string> coloured = words(frames[720 + PASS][0]);
    std::vector<std::string> torus = words(last_torus);
    for (int k = 0; k < 3; ++k)
        for (int c = 7; c <= 9; ++c)
            EXPECT_EQ(coloured[9 * k + c], torus[9 * k + c]);

    std::vector<long> heap;
    std::istringstream out(run.result.out);
    std::string word;
    long bytes;
    while (out >> word && word == "heap" && out >> bytes)
        heap.push_back(bytes);
    ASSERT_EQ(heap.size(), 2u) << run.result.out;
    EXPECT_EQ(heap[1], heap[0]) << "the heap grew by " << heap[1] - heap[0] << " bytes in a pass";
}
