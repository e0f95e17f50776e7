// One whole pass of the show with the committed data: every call in order,
// the triangles of the frames whose poses are known (recomputed here from
// the timelines' formulas and drawn through the same draw modes), and the
// golden frames.
#include <gtest/gtest.h>

#include <png.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "../render/glide_recorder.h"
#include "geometry/matrix.h"
#include "mesh/mesh.h"
#include "render/draw_modes.h"
#include "show_runs.h"

namespace {

// The timelines as the show defines them: sines in double, rounded to float
// before use, every stored value a float.
const double K = 0.008726646261111111;

float sin32(float t) { return (float)std::sin((double)t); }
float cos32(float t) { return (float)std::cos((double)t); }

struct Pose {
    Vector3 angles, position;
};

Pose logo_pose(float p)
{
    float s = (float)std::sin((double)p * K);
    float d = s * 720.0f;
    return {{d + 90.0f, d * 0.5f, d}, {(18.0f - p / 10.0f) * 4.0f, 20.0f, d / 4.0f}};
}

// cube 0 is cube_mesh; cube c > 0 has the cosine in place of the sine in angle c.
Pose cube_pose(long i, int cube)
{
    float t = (float)i / 100.0f;
    float x = (cube == 1 ? cos32(t) : sin32(t)) * 360.0f;
    float y = (cube == 2 ? cos32(t) : sin32(t)) * 180.0f;
    float z = (cube == 3 ? cos32(t) : sin32(t)) * 90.0f;
    return {{x, y, z}, {0.0f, 0.0f, 400.0f}};
}

Pose torus_pose(long i)
{
    float t = (float)i / 100.0f;
    return {{0.0f, sin32(t) * 760.0f, cos32(t) * 392.0f}, {0.0f, 0.0f, 40.0f}};
}

void expect_near(const Vector3 &v, float x, float y, float z, float tolerance)
{
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

std::string trace_line(const GrVertex *v)
{
    std::string line = "guDrawTriangleWithClip";
    char number[32];
    for (int k = 0; k < 3; ++k) {
        const GrTmuVertex &t = v[k].tmuvtx[0];
        for (float f : {v[k].x, v[k].y, v[k].oow, t.sow, t.tow, t.oow, v[k].r, v[k].g, v[k].b}) {
            std::snprintf(number, sizeof number, " %.9g", f);
            line += number;
        }
    }
    return line;
}

std::vector<std::string> recorded_lines()
{
    std::vector<std::string> lines;
    for (const GlideCall &call : recorded_triangles())
        lines.push_back(trace_line(call.vertex));
    glide_calls.clear();
    return lines;
}

// Frames of the run (logo 0-719, cubes 720-1439, torus 1440-3599) whose triangles are compared.
const long LOGO_FRAMES[] = {0, 180, 360, 719};
const long CUBES_FRAMES[] = {720, 877};
const long TORUS_FRAMES[] = {1440, 1597, 3599};

// The golden frames of tests/golden/frames.txt: a frame number and a name per line.
struct Golden {
    long frame;
    std::string name;
};

std::vector<Golden> golden_frames()
{
    std::vector<Golden> frames;
    std::ifstream in(LUMIVEX_SOURCE_DIR "/tests/golden/frames.txt");
    Golden g;
    while (in >> g.frame >> g.name)
        frames.push_back(g);
    return frames;
}

bool read_png(const std::string &path, png_image &image, std::vector<unsigned char> &pixels)
{
    image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return false;
    image.format = PNG_FORMAT_RGB;
    pixels.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) != 0;
}

} // namespace

// The whole pass runs once; the checks below read what it left.
struct CommittedRun {
    StagedShow show{StagedShow::COMMITTED};
    ShowRun run;

    CommittedRun()
    {
        std::string traced, dumped;
        for (long f : LOGO_FRAMES)
            traced += std::to_string(f) + ",";
        for (long f : CUBES_FRAMES)
            traced += std::to_string(f) + ",";
        for (long f : TORUS_FRAMES)
            traced += std::to_string(f) + ",";
        for (const Golden &g : golden_frames())
            dumped += std::to_string(g.frame) + ",";
        traced.pop_back();
        dumped.pop_back();
        run = run_show_probe(show, {"PROBE_KEY_IN_FRAME=3598", "LUMIVEX_TRACE_FRAMES=" + traced,
                                    "LUMIVEX_DUMP_DIR=dumps", "LUMIVEX_DUMP_FRAMES=" + dumped});
    }
};

void expect_every_call_in_order(const ShowRun &run)
{
    EXPECT_EQ(run.result.status, 0) << run.result.err;
    EXPECT_EQ(run.result.out, "frames 3599\n");
    ExpectedCalls expected(run.trace);
    expected.start_up().pass().close();
    std::string difference = first_difference(state_calls(run.trace), expected.lines);
    EXPECT_TRUE(difference.empty()) << difference;
}

void expect_the_poses_at_known_frames(const CommittedRun &committed)
{
    const ShowRun &run = committed.run;
    // The poses themselves, against the values worked out by hand.
    expect_near(logo_pose(0.0f).angles, 90, 0, 0, 0);
    expect_near(logo_pose(0.0f).position, 72, 20, 0, 0);
    expect_near(logo_pose(90.0f).angles, 599.11688f, 254.55844f, 509.11688f, 1e-4f);
    expect_near(logo_pose(90.0f).position, 36, 20, 127.27922f, 1e-4f);
    expect_near(logo_pose(180.0f).angles, 810, 360, 720, 0);
    expect_near(logo_pose(180.0f).position, 0, 20, 180, 0);
    expect_near(logo_pose(359.5f).angles, 93.14158f, 1.5707911f, 3.1415823f, 1e-5f);
    expect_near(logo_pose(359.5f).position, -71.8f, 20, 0.7853956f, 1e-5f);
    expect_near(cube_pose(0, 0).angles, 0, 0, 0, 0);
    expect_near(cube_pose(0, 1).angles, 360, 0, 0, 0);
    expect_near(cube_pose(0, 2).angles, 0, 180, 0, 0);
    expect_near(cube_pose(0, 3).angles, 0, 0, 90, 0);
    expect_near(cube_pose(157, 0).angles, 359.99988f, 179.99994f, 89.99997f, 1e-4f);
    expect_near(cube_pose(157, 1).angles, 0.28665873f, 179.99994f, 89.99997f, 1e-4f);
    expect_near(torus_pose(0).angles, 0, 0, 392, 0);
    expect_near(torus_pose(157).angles, 0, 759.99976f, 0.31213951f, 1e-4f);
    expect_near(torus_pose(2159).angles, 0, 296.76163f, -360.88037f, 1e-3f);

    // The same meshes as the show's, drawn in the show's order (the cubes of
    // the first pass come before any torus, and so carry no colour).
    std::string pak = committed.show.directory + "/pak/";
    Mesh *torus = mesh_load((pak + "torus.dat").c_str());
    Mesh *logo = mesh_load((pak + "3dfx.dat").c_str());
    Mesh *cubes[4] = {mesh_load((pak + "cube.dat").c_str())};
    ASSERT_TRUE(torus && logo && cubes[0]);
    mesh_normalise(torus, 100.0f);
    for (int c = 1; c < 4; ++c)
        cubes[c] = mesh_clone(cubes[0]);
    for (int c = 0; c < 4; ++c)
        mesh_normalise(cubes[c], 100.0f * (c + 1));

    std::vector<std::vector<std::string>> frames = triangles_by_frame(run.trace);
    ASSERT_EQ(frames.size(), 3601u);
    glide_calls.clear();
    for (long f : LOGO_FRAMES) {
        Pose pose = logo_pose(0.5f * f);
        draw_logo(pose.angles, pose.position, logo);
        EXPECT_EQ(frames[f], recorded_lines()) << "logo frame " << f;
    }
    for (long f : CUBES_FRAMES) {
        for (int c = 0; c < 4; ++c) {
            Pose pose = cube_pose(f - 720, c);
            draw_cube(cubes[c], pose.angles, pose.position);
        }
        EXPECT_EQ(frames[f], recorded_lines()) << "cubes frame " << f;
    }
    for (long f : TORUS_FRAMES) {
        Pose pose = torus_pose(f - 1440);
        draw_torus(torus, pose.angles, pose.position);
        EXPECT_EQ(frames[f], recorded_lines()) << "torus frame " << f;
    }
    for (long f : {180, 360, 877, 1440})
        EXPECT_FALSE(frames[f].empty()) << "nothing drawn in frame " << f;

    // The show never frees its meshes; the test does, so that the leak
    // checker sees none. Clones share the file block and the normals.
    for (int c = 1; c < 4; ++c) {
        free(cubes[c]->vertices);
        free(cubes[c]);
    }
    for (Mesh *m : {torus, logo, cubes[0]}) {
        free(m->vertices);
        free(m->normals);
        free(m->file_data);
        free(m);
    }
}

void expect_the_golden_frames(const CommittedRun &committed)
{
    std::vector<Golden> golden_list = golden_frames();
    ASSERT_FALSE(golden_list.empty());
    for (const Golden &g : golden_list) {
        char dumped[64];
        std::snprintf(dumped, sizeof dumped, "/dumps/frame-%06ld.png", g.frame);
        std::string golden = std::string(LUMIVEX_SOURCE_DIR "/tests/golden/") + g.name + ".png";
        png_image actual_image, golden_image;
        std::vector<unsigned char> actual, expected;
        ASSERT_TRUE(read_png(committed.show.directory + dumped, actual_image, actual)) << dumped;
        ASSERT_TRUE(read_png(golden, golden_image, expected))
            << golden << " (bash tests/golden/regenerate.sh makes it)";
        ASSERT_EQ(actual_image.width, golden_image.width);
        ASSERT_EQ(actual_image.height, golden_image.height);
        size_t differing = 0;
        for (size_t i = 0; i < actual.size(); i += 3)
            differing += actual[i] != expected[i] || actual[i + 1] != expected[i + 1] ||
                         actual[i + 2] != expected[i + 2];
        EXPECT_EQ(differing, 0u) << g.name << ": pixels differ from the golden frame; if the picture is "
                                 << "meant to change, run bash tests/golden/regenerate.sh";
    }
}

// One whole pass with the committed data (a key in frame 3598 ends it after
// its last frame, 3599).
TEST(CommittedPass, MakesEveryCallDrawsEveryPoseAndMatchesTheGoldenFrames)
{
    CommittedRun committed;
    {
        SCOPED_TRACE("calls");
        expect_every_call_in_order(committed.run);
    }
    {
        SCOPED_TRACE("poses");
        expect_the_poses_at_known_frames(committed);
    }
    {
        SCOPED_TRACE("golden frames");
        expect_the_golden_frames(committed);
    }
}
