// replay_test.cpp - the trace replayer plays what the show traced: the show's
// first frames, run and traced by the tests' show probe, replay offscreen to
// the very pixels the show drew. A line it does not know, and a download
// larger than the texture file loaded (it would read past the loaded texels),
// are reported by number without stopping the rest.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "tests/support/run_probe.h"

namespace {

namespace fs = std::filesystem;

TEST(Replay, PlaysTheShowsTraceToItsPixelsAndReportsBadLines)
{
    const std::string dir = make_temp_directory();
    fs::create_directory_symlink(LUMIVEX_SOURCE_DIR "/pak", dir + "/pak");
    ProbeResult run =
        run_probe(SHOW_PROBE, dir,
                  {"LUMIVEX_OUTPUT=offscreen", "LUMIVEX_SWAP_INTERVAL=0", "LUMIVEX_TRACE=trace.txt",
                   "PROBE_KEY_IN_FRAME=89", "LUMIVEX_DUMP_DIR=shown", "LUMIVEX_DUMP_FRAMES=0,90"});
    ASSERT_EQ(run.status, 0) << run.err;
    run = run_probe(REPLAY_PATH, dir, {"LUMIVEX_DUMP_DIR=replayed", "LUMIVEX_DUMP_FRAMES=0,90"}, "trace.txt");
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char *frame : {"/frame-000000.png", "/frame-000090.png"})
        EXPECT_EQ(read_file(dir + "/replayed" + frame), read_file(dir + "/shown" + frame)) << frame;
    // Black, then the logo in view.
    EXPECT_NE(read_file(dir + "/shown/frame-000000.png"), read_file(dir + "/shown/frame-000090.png"));

    // Before the first swap, an unknown call and a swap without its interval;
    // the logo's texture file exchanged for the torus's (YIQ: half the bytes
    // of the mip-map allocated for the logo's).
    std::vector<std::string> lines = read_lines(dir + "/trace.txt");
    auto line_of = [&](const char *call) {
        return std::find_if(lines.begin(), lines.end(), [&](auto &l) { return l.starts_with(call); }) -
               lines.begin();
    };
    const long download = line_of("guTexDownloadMipMap"), swap = line_of("grBufferSwap");
    ASSERT_LT(download, swap);
    lines.insert(lines.begin() + swap, {"grFogMode 1", "grBufferSwap"});
    std::ofstream broken(dir + "/broken.txt");
    for (std::string line : lines) {
        if (size_t at = line.find("3dfx.3df"); at != std::string::npos)
            line.replace(at, 4, "torus");
        broken << line << '\n';
    }
    broken.close();
    run = run_probe(REPLAY_PATH, dir, {"LUMIVEX_DUMP_DIR=broken", "LUMIVEX_DUMP_FRAMES=90"}, "broken.txt");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(fs::exists(dir + "/broken/frame-000090.png"));
    for (const std::string &report :
         {std::string(":") + std::to_string(download + 1) + ": malformed guTexDownloadMipMap",
          std::string(":") + std::to_string(swap + 1) + ": unknown call grFogMode",
          std::string(":") + std::to_string(swap + 2) + ": malformed grBufferSwap"})
        EXPECT_NE(run.err.find(report), std::string::npos) << report << "\n" << run.err;
    fs::remove_all(dir);
}

}  // namespace
