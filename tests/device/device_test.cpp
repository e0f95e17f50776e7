// The device's calls and their order, the assertion report and its answers
// (in a child process: an abort ends it), and 3DF texture loading.
#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "device/glidemain.h"
#include "run_probe.h"

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> START_UP = {
    "grGlideInit", "grSstQueryHardware -", "grSstSelect 0", "grSstWinOpen 0 7 0 2 0 2 1",
    "grDepthBufferMode 2", "grDepthBufferFunction 1", "grDepthMask 1", "grBufferClear 0 0 65535",
    "grRenderBuffer 1", "grClipWindow 0 0 640 480",
};

std::vector<std::string> start_up_to(size_t calls) { return {START_UP.begin(), START_UP.begin() + calls}; }

struct DeviceRun {
    ProbeResult result;
    std::vector<std::string> trace;
};

// The probe brings the device up, ends two frames and closes it.
DeviceRun run_device(std::vector<std::string> env)
{
    std::string dir = make_temp_directory();
    env.insert(env.end(), {"LUMIVEX_OUTPUT=offscreen", "LUMIVEX_SWAP_INTERVAL=0", "LUMIVEX_TRACE=trace.txt"});
    DeviceRun run = {run_probe(DEVICE_PROBE, dir, env), {}};
    run.trace = read_lines(dir + "/trace.txt");
    fs::remove_all(dir);
    return run;
}

} // namespace

TEST(AssertionReport, AbortEndsWithStatusThreeAtOnceAndIgnoreGoesOnAsIfTheCallHadSucceeded)
{
    const std::string QUERY = "File: glidemain\nLine: 90\n\nExpression: grSstQueryHardware ( &voo_hwconfig )\n";
    const std::string OPEN = "File: glidemain\nLine: 104\n\nExpression: grSstWinOpen( (FxU32)hWnd , "
                             "GR_RESOLUTION_640x480, GR_REFRESH_60Hz, GR_COLORFORMAT_RGBA, GR_ORIGIN_UPPER_LEFT, 2, 1 )\n";
    struct Case {
        const char *failure, *answer;
        const std::string &report;
        int status;
        std::vector<std::string> trace_start;
    } cases[] = {
        {"LUMIVEX_BOARDS=0", "LUMIVEX_MESSAGEBOX=abort", QUERY, 3, start_up_to(2)},
        {"LUMIVEX_FAIL_OPEN=1", "LUMIVEX_MESSAGEBOX=abort", OPEN, 3, start_up_to(4)},
        // What the library does after an ignored failure is its own affair; the calls are made as usual.
        {"LUMIVEX_BOARDS=0", "LUMIVEX_MESSAGEBOX=ignore", QUERY, 0, START_UP},
        {"LUMIVEX_FAIL_OPEN=1", "LUMIVEX_MESSAGEBOX=ignore", OPEN, 0, START_UP},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.failure) + " " + c.answer);
        DeviceRun run = run_device({c.failure, c.answer});
        EXPECT_EQ(run.result.status, c.status);
        EXPECT_NE(run.result.err.find(c.report), std::string::npos) << run.result.err;
        EXPECT_EQ(run.result.out, c.status ? "" : "done\n");
        std::vector<std::string> start(run.trace.begin(), run.trace.begin() + std::min(run.trace.size(), c.trace_start.size()));
        EXPECT_EQ(start, c.trace_start);
        if (c.status) { // no further call, and the device is not closed
            EXPECT_EQ(run.trace.size(), c.trace_start.size());
        }
    }
}

// Texture loading runs in this process, on a device opened offscreen once.
class Textures : public ::testing::Test {
protected:
    static inline std::string directory;

    static void SetUpTestSuite()
    {
        directory = make_temp_directory();
        setenv("LUMIVEX_OUTPUT", "offscreen", 1);
        setenv("LUMIVEX_SWAP_INTERVAL", "0", 1);
        setenv("LUMIVEX_TRACE", (directory + "/trace.txt").c_str(), 1);
        voo_init();
        voo_open(nullptr);
        voo_set_render_state();
    }

    static void TearDownTestSuite()
    {
        voo_close();
        fs::remove_all(directory);
    }

    static std::string pak(const char *name) { return std::string(LUMIVEX_SOURCE_DIR "/pak/") + name; }
    static size_t heap_in_use() { return mallinfo2().uordblks; }
};

// Every effect start loads its texture anew: neither a loaded host copy nor
// the block of a failed texel read may stay behind.
TEST_F(Textures, NeitherLoadsNorFailedLoadsLeaveMemoryBehind)
{
    std::string truncated = directory + "/truncated.3df", not_3df = directory + "/not.3df";
    std::string whole = read_file(pak("cube.3df"));
    std::ofstream(truncated, std::ios::binary).write(whole.data(), whole.size() / 2);
    std::ofstream(not_3df) << "this is no texture\n";
    // A one-texel YIQ file of the right length whose NCC table holds Y values
    // out of range: its description reads, its texel read fails.
    std::string bad_table = directory + "/bad-table.3df";
    {
        std::ofstream out(bad_table, std::ios::binary);
        out << "3df v1.0\nyiq\nlod range: 1 1\naspect ratio: 1 1\n" << std::string(2 * (16 + 12 + 12), '\x7f');
        out.put(0);
    }
    Gu3dfInfo description = {};
    ASSERT_TRUE(gu3dfGetInfo(bad_table.c_str(), &description));

    auto round = [&] {
        for (const std::string &bad : {directory + "/missing.3df", not_3df, truncated, bad_table})
            EXPECT_EQ(voo_load_3df(bad.c_str()), nullptr) << bad;
        for (const char *file : {"3dfx.3df", "cube.3df", "torus.3df"}) {
            guTexMemReset();
            Gu3dfInfo *info = voo_load_3df(pak(file).c_str());
            ASSERT_NE(info, nullptr);
            voo_download_texture(info);
        }
    };
    round(); // the library's own buffers settle first
    round();
    size_t before = heap_in_use();
    for (int i = 0; i < 10; ++i)
        round();
    EXPECT_EQ(heap_in_use(), before);
}
