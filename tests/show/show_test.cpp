// The show's driver and effects through the real code path: the calls of
// every frame, where missing or unusable files end the show, quitting, and
// one whole pass with the committed data, judged by its golden frames and by
// what the next pass reuses.
#include <gtest/gtest.h>

#include <png.h>

#include <fstream>
#include <sstream>

#include "mesh/mesh.h"
#include "show_runs.h"

namespace {

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

// A list of tests/golden: a frame number and a picture's name a line.
GoldenList golden_list(const std::string &name, std::string *dump_frames)
{
    std::ifstream list(LUMIVEX_SOURCE_DIR "/tests/golden/" + name);
    GoldenList golden;
    for (std::pair<long, std::string> g; list >> g.first >> g.second;) {
        golden.push_back(g);
        *dump_frames += (dump_frames->empty() ? "" : ",") + std::to_string(g.first);
    }
    return golden;
}

void expect_golden_frames(const StagedShow &show, const GoldenList &golden)
{
    ASSERT_FALSE(golden.empty());
    expect_golden_frames(show, golden);

    std::vector<std::vector<std::string>> frames = triangles_by_frame(run.trace);
    ASSERT_EQ(frames.size(), size_t(PASS + TORUS + 3));
    ASSERT_FALSE(frames[PASS - 1].empty());
    const std::vector<std::string> last_torus = words(frames[PASS - 1].back());
    for (long f : traced) {
        SCOPED_TRACE(f);
        const std::vector<std::string> &first = frames[f], &second = frames[f + PASS];
        ASSERT_FALSE(first.empty());
        ASSERT_EQ(first.size(), second.size());
        for (size_t i = 0; i < first.size(); ++i) {
            std::vector<std::string> a = words(first[i]), b = words(second[i]);
            if (f >= 720 && f < TORUS) // the corners' r, g and b
                for (int k = 0; k < 3; ++k)
                    for (int c = 7; c <= 9; ++c) {
                        EXPECT_EQ(a[9 * k + c], "0");
                        EXPECT_EQ(b[9 * k + c], last_torus[9 * k + c]);
                        b[9 * k + c] = a[9 * k + c];
                    }
            ASSERT_EQ(a, b);
        }
    }

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
    ShowRun run = run_show_probe(show, {"PROBE_KEY_IN_FRAME=1439", "LUMIVEX_RESOLUTION=2", "LUMIVEX_TRACE_FRAMES=0",
                                        "LUMIVEX_DUMP_DIR=dumps", "LUMIVEX_DUMP_FRAMES=" + dump_frames});
    EXPECT_EQ(run.result.status, 0) << run.result.err;
    expect_golden_frames(show, golden);
}
