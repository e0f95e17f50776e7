// show_test.cpp - the show's driver and effects through the real code path:
// where unusable meshes end the show, and one whole pass with the committed
// data, judged by its golden frames and by what the next pass reuses.
#include <gtest/gtest.h>

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <sstream>

#include "tests/support/run_probe.h"
#include "mesh/mesh.h"
#include "mesh_writer.h"

namespace fs = std::filesystem;

namespace {

void write_mesh_file(const std::string &path, const MeshModel &model)
{
    const auto &bytes = encode_mesh(model).bytes;  // the temporary lives as long as the reference
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), bytes.size());
}

// A tetrahedron about the origin with extent 2, texture faces and vertices
// and a colour per vertex: enough for every draw mode, and quick to draw.
MeshModel tetrahedron()
{
    MeshModel m;
    m.vertices = {{1, 1, 1}, {-1, -1, 1}, {-1, 1, -1}, {1, -1, -1}};
    m.tex_vertices = {{0.0f, 0.0f}, {0.5f, 0.0f}, {0.5f, 0.5f}};
    m.add_face({0, 1, 2}, {0, 1, 2}, {-1, 1, 1});
    m.add_face({0, 3, 1}, {0, 2, 1}, {1, -1, 1});
    m.add_face({0, 2, 3}, {1, 2, 0}, {1, 1, -1});
    m.add_face({1, 3, 2}, {2, 1, 0}, {-1, -1, -1});
    m.colours = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}};
    return m;
}

// A temporary directory with pak/ holding the committed textures and either
// the committed meshes or tetrahedra (fast to draw). Removed when the object
// goes.
struct StagedShow {
    enum Meshes { COMMITTED, TETRAHEDRA };

    std::string directory = make_temp_directory();

    explicit StagedShow(Meshes meshes)
    {
        fs::create_directories(directory + "/pak");
        for (std::string file : {"3dfx.3df", "cube.3df", "torus.3df", "3dfx.dat", "cube.dat", "torus.dat"}) {
            if (meshes == TETRAHEDRA && file.ends_with(".dat"))
                write_mesh_file(pak(file), tetrahedron());
            else
                fs::copy_file(LUMIVEX_SOURCE_DIR "/pak/" + file, pak(file));
        }
    }
    ~StagedShow() { fs::remove_all(directory); }

    std::string pak(const std::string &name) const { return directory + "/pak/" + name; }
};

struct ShowRun {
    ProbeResult result;
    std::vector<std::string> trace;
};

// Runs the probe offscreen and unpaced in the staged directory, tracing.
ShowRun run_show_probe(const StagedShow &show, std::vector<std::string> env)
{
    env.insert(env.end(), {"LUMIVEX_OUTPUT=offscreen", "LUMIVEX_SWAP_INTERVAL=0", "LUMIVEX_TRACE=trace.txt"});
    return {run_probe(SHOW_PROBE, show.directory, env), read_lines(show.directory + "/trace.txt")};
}

bool is_call(const std::string &line, const std::string &name)
{
    return line == name || line.starts_with(name + ' ');
}

// The effects a run played, in order: the texture each read and the frames
// it showed, 0 where its texture was missing, and "closed" when the device
// was closed last; e.g. "3dfx.3df:720 cube.3df:1 closed".
std::string effects_played(const std::vector<std::string> &trace)
{
    std::ostringstream played;
    long swaps = -1;  // before the first effect
    auto effect_ends = [&] {
        if (swaps >= 0)
            played << ':' << swaps << ' ';
    };
    for (const std::string &line : trace) {
        if (is_call(line, "gu3dfGetInfo")) {  // "pak//name" -
            effect_ends();
            size_t name = line.rfind('/') + 1;
            played << line.substr(name, line.rfind('"') - name);
            swaps = 0;
        }
        swaps += is_call(line, "grBufferSwap");
    }
    effect_ends();
    size_t n = trace.size();
    played << (n >= 2 && trace[n - 2] == "grSstWinClose" && trace[n - 1] == "grGlideShutdown" ? "closed"
                                                                                              : "open");
    return played.str();
}

void expect_played(const ShowRun &run, const std::string &effects)
{
    EXPECT_EQ(run.result.status, 0) << run.result.err;
    EXPECT_EQ(effects_played(run.trace), effects);
}

std::vector<unsigned char> read_png(const std::string &path)
{
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    std::vector<unsigned char> pixels;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return pixels;
    image.format = PNG_FORMAT_RGB;
    pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
        pixels.clear();
    return pixels;
}

typedef std::vector<std::pair<long, std::string>> GoldenList;

// A list of tests/golden: a frame number and a golden file's name a line;
// the frames are added to *frames, separated by commas.
GoldenList golden_list(const std::string &name, std::string *frames)
{
    std::ifstream list(LUMIVEX_SOURCE_DIR "/tests/golden/" + name);
    GoldenList golden;
    for (std::pair<long, std::string> g; list >> g.first >> g.second;) {
        golden.push_back(g);
        frames->append(frames->empty() ? "" : ",").append(std::to_string(g.first));
    }
    return golden;
}

// UPDATE=1 in the environment renews the golden files.
const bool updating = std::getenv("UPDATE") && std::string(std::getenv("UPDATE")) == "1";

// With UPDATE=1 in the environment the frames drawn replace the golden ones
// first: look at every one before committing it.
void expect_golden_frames(const StagedShow &show, const GoldenList &golden)
{
    ASSERT_FALSE(golden.empty());
    for (const auto &[frame, name] : golden) {
        SCOPED_TRACE(name);
        char dumped[64];
        std::snprintf(dumped, sizeof dumped, "/dumps/frame-%06ld.png", frame);
        const std::string expected = LUMIVEX_SOURCE_DIR "/tests/golden/" + name + ".png";
        if (updating)
            fs::copy_file(show.directory + dumped, expected, fs::copy_options::overwrite_existing);
        std::vector<unsigned char> actual = read_png(show.directory + dumped);
        std::vector<unsigned char> expected_pixels = read_png(expected);
        ASSERT_FALSE(expected_pixels.empty()) << "UPDATE=1 makes it";
        ASSERT_EQ(actual.size(), expected_pixels.size());
        const size_t differing = std::transform_reduce(actual.begin(), actual.end(), expected_pixels.begin(),
                                                       size_t(0), std::plus<>(), std::not_equal_to<>());
        EXPECT_EQ(differing, 0u) << "if the picture is meant to change, run the test with UPDATE=1";
    }
}

// Frame f's calls as the trace has them: after its f-th buffer swap, up to
// and including the next; frame 0's from the device's start.
std::string frame_calls(const std::vector<std::string> &trace, long f)
{
    std::string calls;
    long swaps = 0;
    for (size_t i = 0; i < trace.size() && swaps <= f; ++i) {
        if (swaps == f)
            calls += trace[i] + '\n';
        swaps += is_call(trace[i], "grBufferSwap");
    }
    return calls;
}

// A torus frame's trace is some 400 KB of text, a twentieth of that gzipped.
std::string read_gz(const std::string &path)
{
    std::string text;
    if (gzFile in = gzopen(path.c_str(), "rb")) {
        char block[1 << 16];
        for (int n; (n = gzread(in, block, sizeof block)) > 0;)
            text.append(block, (size_t)n);
        gzclose(in);
    }
    return text;
}

void write_gz(const std::string &path, const std::string &text)
{
    gzFile out = gzopen(path.c_str(), "wb9");
    ASSERT_NE(out, nullptr) << path;
    EXPECT_EQ(gzwrite(out, text.data(), (unsigned)text.size()), (int)text.size());
    EXPECT_EQ(gzclose(out), Z_OK);
}

// The golden traces see every triangle, hidden or not, and every value the
// program passes; UPDATE=1 renews them as it renews the pictures. Their one
// window handle is 0: the probe opens the device without a window.
void expect_golden_traces(const std::vector<std::string> &trace, const GoldenList &golden)
{
    ASSERT_FALSE(golden.empty());
    for (const auto &[frame, name] : golden) {
        SCOPED_TRACE(name);
        const std::string path = LUMIVEX_SOURCE_DIR "/tests/golden/" + name + ".trace.gz";
        const std::string actual = frame_calls(trace, frame);
        if (updating)
            write_gz(path, actual);
        const std::string expected = read_gz(path);
        ASSERT_FALSE(expected.empty()) << "UPDATE=1 makes " << path;
        // The first line that differs, with its golden counterpart.
        const std::vector<std::string> now = read_lines(std::istringstream(actual)),
                                       was = read_lines(std::istringstream(expected));
        const auto [got, want] = std::mismatch(now.begin(), now.end(), was.begin(), was.end());
        EXPECT_TRUE(actual == expected)
            << "frame " << frame << "'s calls differ from " << path << " at line " << got - now.begin() + 1
            << "\n  golden: " << (want == was.end() ? "(the end)" : *want)
            << "\n  now:    " << (got == now.end() ? "(the end)" : *got)
            << "\nif they are meant to change, run the test with UPDATE=1";
    }
}

}  // namespace

// Meshes the draw modes could not read whole are refused like missing ones
// before any effect (too many vertices are the reader's to refuse); the cube is drawn untextured and uncoloured, so a plain
// one is fine.
TEST(UnusableMeshes, EndTheShowBeforeAnyEffect)
{
    MeshModel plain = tetrahedron(), uncoloured = tetrahedron(), untextured = tetrahedron();
    plain.tex_faces.clear();
    plain.tex_vertices.clear();
    plain.colours.clear();
    uncoloured.colours.clear();
    untextured.tex_vertices.clear();
    const struct {
        const char *file;
        const MeshModel &mesh;
        const char *played;
    } cases[] = {{"3dfx.dat", plain, "closed"},
                 {"3dfx.dat", untextured, "closed"},
                 {"torus.dat", uncoloured, "closed"},
                 {"cube.dat", plain, "3dfx.3df:720 cube.3df:82 closed"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        StagedShow show(StagedShow::TETRAHEDRA);
        write_mesh_file(show.pak(c.file), c.mesh);
        expect_played(run_show_probe(show, {"PROBE_KEY_IN_FRAME=800"}), c.played);
    }
}

// A pass and a half with the committed data, the mesh files removed in the
// first frame: every effect in order, 720, 720 and 2160 frames; the golden
// frames pixel for pixel; the golden traces of both passes call for call
// (the second pass reloads its textures and draws what the first drew, but
// for the cubes, which keep the colours of the last torus triangle); and the
// heap is the same in the first torus frame of both passes.
TEST(WholePass, MatchesTheGoldenFramesAndTraces)
{
    std::string trace_frames, dump_frames;
    const GoldenList traces = golden_list("traces.txt", &trace_frames);
    const GoldenList golden = golden_list("frames.txt", &dump_frames);

    // The pass runs once a process; a repeated test reads what it left.
    static const StagedShow show(StagedShow::COMMITTED);
    static const ShowRun run = run_show_probe(
        show, {"PROBE_KEY_IN_FRAME=5040", "PROBE_REMOVE_MESHES_IN_FRAME=0", "PROBE_HEAP_IN_FRAME=1440",
               // Chunks kept in malloc's per-thread cache count as in use:
               // without it the reading is what the program holds.
               "GLIBC_TUNABLES=glibc.malloc.tcache_count=0", "LUMIVEX_TRACE_FRAMES=" + trace_frames,
               "LUMIVEX_DUMP_DIR=dumps", "LUMIVEX_DUMP_FRAMES=" + dump_frames});
    expect_played(run,
                  "3dfx.3df:720 cube.3df:720 torus.3df:2160 3dfx.3df:720 cube.3df:720 torus.3df:2 closed");

    expect_golden_frames(show, golden);
    expect_golden_traces(run.trace, traces);

    std::istringstream out(run.result.out);
    std::string word;
    std::vector<long> heap;
    for (long bytes; out >> word && word == "heap" && out >> bytes;)
        heap.push_back(bytes);
    ASSERT_EQ(heap.size(), 2u) << run.result.out;
    EXPECT_EQ(heap[1], heap[0]) << "the heap grew by " << heap[1] - heap[0] << " bytes in a pass";
}

// The three effects drawn at twice the resolution, up to the torus's first
// frame.
TEST(WholePass, AtResolutionTwoMatchesItsGoldenFrames)
{
    std::string dump_frames;
    const GoldenList golden = golden_list("resolution2.txt", &dump_frames);
    const StagedShow show(StagedShow::COMMITTED);
    ShowRun run =
        run_show_probe(show, {"PROBE_KEY_IN_FRAME=1439", "LUMIVEX_RESOLUTION=2", "LUMIVEX_TRACE_FRAMES=0",
                              "LUMIVEX_DUMP_DIR=dumps", "LUMIVEX_DUMP_FRAMES=" + dump_frames});
    EXPECT_EQ(run.result.status, 0) << run.result.err;
    expect_golden_frames(show, golden);
}
