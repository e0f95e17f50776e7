// The trace replayer plays a small trace through the device offscreen: the
// frames it dumps show what was drawn; a line it does not know, and a
// download larger than the texture file loaded (it would read past the
// loaded texels), are reported by number without stopping the rest.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../../device/run_probe.h"

namespace {

namespace fs = std::filesystem;

const char *const TRACE =
    "grGlideInit\n"
    "grSstQueryHardware -\n"
    "grSstSelect 0\n"
    "grSstWinOpen - 7 0 2 0 2 1\n"
    "grDepthBufferMode 2\n"
    "grDepthBufferFunction 1\n"
    "grDepthMask 1\n"
    "grRenderBuffer 1\n"
    "grClipWindow 0 0 640 480\n"
    "guTexMemReset\n"
    "gu3dfGetInfo \"pak//cube.3df\" -\n"
    "gu3dfLoad \"pak//cube.3df\" -\n"
    "guTexAllocateMemory 0 3 256 256 10 2 8 0 3 0 0 1 1 0 0\n"
    "guTexDownloadMipMap 4242 - -\n"
    "guColorCombineFunction 4\n"
    "guTexCombineFunction 0 1\n"
    "guAlphaSource 2\n"
    "grHints 0 2\n"
    "grTexClampMode 0 0 0\n"
    "grConstantColorValue 150\n"
    "guTexSource 4242\n"
    "guDrawTriangleWithClip 100 60 1 0 0 1 0 0 0 560 60 1 1 0 1 0 0 0 560 420 1 1 1 1 0 0 0\n"
    "grBufferSwap 2\n"
    "grBufferClear 0 0 65535\n"
    "grSstIdle\n"
    "grBufferSwap 2\n"
    "grBufferClear 0 0 65535\n"
    "grSstIdle\n"
    "grSstWinClose\n"
    "grGlideShutdown\n";

// Runs the replayer on the trace in dir, which holds the committed pak/ that
// the trace names; frames 0 and 1 are dumped there.
ProbeResult replay(const std::string &dir, const std::string &trace)
{
    std::ofstream(dir + "/trace.txt", std::ios::binary) << trace;
    return run_probe(REPLAY_PATH, dir, {"LUMIVEX_DUMP_DIR=.", "LUMIVEX_DUMP_FRAMES=0-1"}, "trace.txt");
}

// The textured triangle is in the first picture, not in the cleared second;
// a line it does not know is reported by number, and the rest still plays.
TEST(Replay, PlaysATraceOffscreenDumpsItsFramesAndReportsBadLines)
{
    const std::string dir = make_temp_directory();
    fs::create_directory_symlink(LUMIVEX_SOURCE_DIR "/pak", dir + "/pak");
    ProbeResult run = replay(dir, TRACE);
    ASSERT_EQ(run.status, 0) << run.err;
    std::string first = read_file(dir + "/frame-000000.png"), second = read_file(dir + "/frame-000001.png");
    EXPECT_EQ(first.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_FALSE(second.empty());
    EXPECT_NE(first, second);

    std::string trace = TRACE;
    trace.insert(trace.find("grBufferSwap"), "grFogMode 1\ngrBufferSwap\n");
    for (size_t at; (at = trace.find("cube.3df")) != std::string::npos;)
        trace.replace(at, 4, "torus");  // a YIQ file: half the bytes of the 565 mip-map allocated
    fs::remove(dir + "/frame-000000.png");
    run = replay(dir, trace);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(":14: malformed guTexDownloadMipMap"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(":23: unknown call grFogMode"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(":24: malformed grBufferSwap"), std::string::npos) << run.err;
    EXPECT_TRUE(fs::exists(dir + "/frame-000000.png"));
    fs::remove_all(dir);
}

}  // namespace
