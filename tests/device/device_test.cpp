// The device's calls and their order, the assertion report and its answers,
// and 3DF texture loading, all through our Glide's call trace.
#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "device/assertion.h"
#include "device/glidemain.h"
#include "run_probe.h"

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> START_UP = {
    "grGlideInit",
    "grSstQueryHardware -",
    "grSstSelect 0",
    "grSstWinOpen 0 7 0 2 0 2 1",
    "grDepthBufferMode 2",
    "grDepthBufferFunction 1",
    "grDepthMask 1",
    "grBufferClear 0 0 65535",
    "grRenderBuffer 1",
    "grClipWindow 0 0 640 480",
};
const std::vector<std::string> END_OF_FRAME = {"grBufferSwap 2", "grBufferClear 0 0 65535", "grSstIdle"};
const std::vector<std::string> CLOSE = {"grSstWinClose", "grGlideShutdown"};

std::vector<std::string> concat(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> all;
    for (const auto &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct DeviceRun {
    ProbeResult result;
    std::vector<std::string> trace;
};

DeviceRun run_device(std::vector<std::string> env)
{
    std::string dir = make_temp_directory();
    env.push_back("LUMIVEX_OUTPUT=offscreen");
    env.push_back("LUMIVEX_SWAP_INTERVAL=0");
    env.push_back("LUMIVEX_TRACE=trace.txt");
    DeviceRun run;
    run.result = run_probe(DEVICE_PROBE, dir, env);
    run.trace = read_lines(dir + "/trace.txt");
    fs::remove_all(dir);
    return run;
}

} // namespace

TEST(Device, StartsUpClearsBeforeTheBackBufferAndEndsEveryFrameWithSwapClearIdle)
{
    DeviceRun run = run_device({});
    EXPECT_EQ(run.result.status, 0) << run.result.err;
    EXPECT_EQ(run.trace, concat({START_UP, END_OF_FRAME, END_OF_FRAME, CLOSE}));
}

TEST(AssertionReport, HasTheRunTimesLinesInOrder)
{
    char text[1024];
    format_assertion_report(text, sizeof text, "C:\\SHOW\\LUMIVEX.EXE", "grSstQueryHardware ( &voo_hwconfig )",
                            "glidemain", 90);
    EXPECT_STREQ(text, "Assertion failed!\n"
                       "\n"
                       "Program: C:\\SHOW\\LUMIVEX.EXE\n"
                       "File: glidemain\n"
                       "Line: 90\n"
                       "\n"
                       "Expression: grSstQueryHardware ( &voo_hwconfig )\n"
                       "\n"
                       "For information on how your program can cause an assertion failure, see the "
                       "Visual C++ documentation on asserts\n"
                       "\n"
                       "(Press Retry to debug the application - JIT must be enabled)");
    // Cut short rather than overrun.
    char small[20];
    format_assertion_report(small, sizeof small, "x", "y", "z", 1);
    EXPECT_EQ(std::string(small), "Assertion failed!\n\n");
}

TEST(AssertionReport, AbortOnAFailedHardwareQueryEndsWithStatusThreeBeforeAnyOtherCall)
{
    DeviceRun run = run_device({"LUMIVEX_BOARDS=0", "LUMIVEX_MESSAGEBOX=abort"});
    EXPECT_EQ(run.result.status, 3);
    EXPECT_EQ(run.result.out, "");
    EXPECT_EQ(run.trace, std::vector<std::string>(START_UP.begin(), START_UP.begin() + 2));
    EXPECT_NE(run.result.err.find("Expression: grSstQueryHardware ( &voo_hwconfig )"), std::string::npos)
        << run.result.err;
    EXPECT_NE(run.result.err.find("File: glidemain\nLine: 90\n"), std::string::npos);
}

TEST(AssertionReport, IgnoreGoesOnAsIfTheCallHadSucceeded)
{
    DeviceRun query = run_device({"LUMIVEX_BOARDS=0", "LUMIVEX_MESSAGEBOX=ignore"});
    EXPECT_EQ(query.result.status, 0);
    EXPECT_EQ(query.result.out, "done\n");
    EXPECT_NE(query.result.err.find("Line: 90"), std::string::npos);
    // What the library then does is its own affair; the program makes its calls as usual.
    ASSERT_GE(query.trace.size(), 4u);
    EXPECT_EQ(query.trace[2], "grSstSelect 0");
    EXPECT_EQ(query.trace[3], "grSstWinOpen 0 7 0 2 0 2 1");

    DeviceRun open = run_device({"LUMIVEX_FAIL_OPEN=1", "LUMIVEX_MESSAGEBOX=ignore"});
    EXPECT_EQ(open.result.status, 0);
    EXPECT_NE(open.result.err.find("Expression: grSstWinOpen( (FxU32)hWnd , GR_RESOLUTION_640x480, "
                                   "GR_REFRESH_60Hz, GR_COLORFORMAT_RGBA, GR_ORIGIN_UPPER_LEFT, 2, 1 )"),
              std::string::npos)
        << open.result.err;
    EXPECT_NE(open.result.err.find("Line: 104"), std::string::npos);
    ASSERT_GE(open.trace.size(), 5u);
    EXPECT_EQ(open.trace[4], "grDepthBufferMode 2");
}

TEST(AssertionReport, AbortOnAFailedOpenLeavesTheDeviceUnclosed)
{
    DeviceRun run = run_device({"LUMIVEX_FAIL_OPEN=1", "LUMIVEX_MESSAGEBOX=abort"});
    EXPECT_EQ(run.result.status, 3);
    EXPECT_EQ(run.trace, std::vector<std::string>(START_UP.begin(), START_UP.begin() + 4));
}

// Texture loading runs in this process, on a device opened offscreen once.
class Textures : public ::testing::Test {
protected:
    static std::string directory;

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

    // The trace so far; a frame end makes the library write it out.
    static std::vector<std::string> trace()
    {
        voo_end_frame();
        return read_lines(directory + "/trace.txt");
    }

    static size_t heap_in_use() { return mallinfo2().uordblks; }
};

std::string Textures::directory;

TEST_F(Textures, TwoLoadsGiveTheSameRecordDescribingTheSecondFile)
{
    Gu3dfInfo *first = voo_load_3df(pak("cube.3df").c_str());
    ASSERT_NE(first, nullptr);
    voo_download_texture(first);
    Gu3dfInfo *second = voo_load_3df(pak("3dfx.3df").c_str());
    ASSERT_EQ(second, first);
    EXPECT_EQ(second, &voo_texinfo);

    Gu3dfInfo expected = {};
    ASSERT_TRUE(gu3dfGetInfo(pak("3dfx.3df").c_str(), &expected));
    EXPECT_EQ(second->header.width, expected.header.width);
    EXPECT_EQ(second->header.format, expected.header.format);
    EXPECT_EQ(second->header.large_lod, expected.header.large_lod);
    EXPECT_EQ(second->mem_required, expected.mem_required);
    voo_download_texture(second);
}

TEST_F(Textures, DownloadAllocatesTheWholeMipMapOnTmu0AndDownloadsItWithTheTable)
{
    Gu3dfInfo *info = voo_load_3df(pak("torus.3df").c_str());
    ASSERT_NE(info, nullptr);
    const Gu3dfHeader h = info->header;
    GrMipMapId_t handle = voo_download_texture(info);

    std::vector<std::string> lines = trace();
    std::string allocate = "guTexAllocateMemory 0 3 " + std::to_string(h.width) + " " + std::to_string(h.height) +
                           " " + std::to_string(h.format) + " 2 " + std::to_string(h.small_lod) + " " +
                           std::to_string(h.large_lod) + " " + std::to_string(h.aspect_ratio) + " 0 0 1 1 0 0";
    std::vector<std::string> expected = {allocate, "guTexDownloadMipMap " + std::to_string(handle) + " - -"};
    auto at = std::search(lines.begin(), lines.end(), expected.begin(), expected.end());
    std::string log;
    for (const std::string &line : lines)
        log += line + "\n";
    EXPECT_NE(at, lines.end()) << "no allocation and download in\n" << log;
}

TEST_F(Textures, MissingOrBrokenFilesGiveNullAndLeaveNothingAllocated)
{
    std::string truncated = directory + "/truncated.3df";
    std::string whole = read_file(pak("cube.3df"));
    std::ofstream(truncated, std::ios::binary).write(whole.data(), whole.size() / 2);
    std::string not_3df = directory + "/not.3df";
    std::ofstream(not_3df) << "this is no texture\n";
    // A one-texel YIQ file of the right length whose NCC table holds a Y value
    // out of range: its description reads, its texel read fails, after the
    // host copy has been allocated.
    std::string bad_table = directory + "/bad-table.3df";
    {
        std::ofstream out(bad_table, std::ios::binary);
        out << "3df v1.0\nyiq\nlod range: 1 1\naspect ratio: 1 1\n";
        const char too_bright[2] = {0x7F, 0x7F};
        for (int i = 0; i < 16 + 4 * 3 + 4 * 3; ++i)
            out.write(too_bright, 2);
        out.put(0);
    }
    Gu3dfInfo description = {};
    ASSERT_TRUE(gu3dfGetInfo(bad_table.c_str(), &description));

    size_t before = heap_in_use();
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(voo_load_3df((directory + "/missing.3df").c_str()), nullptr);
        EXPECT_EQ(voo_load_3df(not_3df.c_str()), nullptr);
        EXPECT_EQ(voo_load_3df(truncated.c_str()), nullptr);
        EXPECT_EQ(voo_load_3df(bad_table.c_str()), nullptr);
    }
    EXPECT_EQ(heap_in_use(), before);
}

TEST_F(Textures, ReloadingEveryEffectStartDoesNotGrowTheHeap)
{
    const char *files[] = {"3dfx.3df", "cube.3df", "torus.3df"};
    auto cycle = [&] {
        for (const char *file : files) {
            guTexMemReset();
            Gu3dfInfo *info = voo_load_3df(pak(file).c_str());
            ASSERT_NE(info, nullptr);
            voo_download_texture(info);
        }
    };
    cycle();
    size_t before = heap_in_use();
    for (int pass = 0; pass < 10; ++pass)
        cycle();
    EXPECT_EQ(heap_in_use(), before);
}
