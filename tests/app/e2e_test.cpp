// e2e_test.cpp - the program end to end: the real lumivex binary, offscreen,
// answered by the stand-ins' environment variables, judged by its exit
// status, its messages and the trace of its Glide calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/support/run_probe.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
    ProbeResult result;
    std::vector<std::string> trace;  // one Glide call a line
};

// Runs the program offscreen and unpaced (the trace keeps the triangles of
// frame 0 only; the caller's settings come after) with the committed pak/.
Outcome run_lumivex(std::vector<std::string> env)
{
    std::string dir = make_temp_directory();
    fs::create_directory_symlink(LUMIVEX_SOURCE_DIR "/pak", dir + "/pak");
    env.insert(env.begin(), {"LUMIVEX_TRACE=trace.txt", "LUMIVEX_TRACE_FRAMES=0", "LUMIVEX_OUTPUT=offscreen",
                             "LUMIVEX_SWAP_INTERVAL=0"});
    Outcome o = {run_probe(LUMIVEX_BINARY_DIR "/app/lumivex", dir, env), {}};
    o.trace = read_lines(dir + "/trace.txt");
    fs::remove_all(dir);
    return o;
}

TEST(Lumivex, ExitNoDialogHelpAndVersionEndWithoutTouchingGlide)
{
    Outcome o = run_lumivex({"LUMIVEX_DIALOG=exit"});
    EXPECT_EQ(o.result.status, 0) << o.result.err;
    EXPECT_TRUE(o.trace.empty()) << o.trace.front();
    EXPECT_TRUE(o.result.err.empty()) << o.result.err;

    // Without a display or an answer it says what to do, in one line, and a
    // script can tell that nothing was shown.
    o = run_lumivex({});
    EXPECT_EQ(o.result.status, 4);
    EXPECT_TRUE(o.trace.empty());
    EXPECT_EQ(std::count(o.result.err.begin(), o.result.err.end(), '\n'), 1) << o.result.err;
    EXPECT_NE(o.result.err.find("LUMIVEX_DIALOG=start LUMIVEX_OUTPUT=offscreen"), std::string::npos)
        << o.result.err;

    // What a Linux user types first is answered before the program starts: no
    // dialog, no device; any other argument is the program's, which ignores it.
    std::string dir = make_temp_directory();
    ProbeResult help = run_probe(LUMIVEX_BINARY_DIR "/app/lumivex", dir, {}, "--help");
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_TRUE(help.out.starts_with("Usage: lumivex")) << help.out;
    for (const char *word : {"LUMIVEX_OUTPUT", "LUMIVEX_SCALE", "LUMIVEX_CAPTURE", "LUMIVEX_DUMP_DIR",
                             "LUMIVEX_FILTER", "man 6 lumivex"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    ProbeResult version = run_probe(LUMIVEX_BINARY_DIR "/app/lumivex", dir, {}, "--version");
    EXPECT_EQ(version.status, 0) << version.err;
    EXPECT_EQ(version.out, "lumivex 1.0.0\n");
    EXPECT_TRUE(help.err.empty() && version.err.empty()) << help.err << version.err;

    ProbeResult other = run_probe(LUMIVEX_BINARY_DIR "/app/lumivex", dir, {"LUMIVEX_DIALOG=exit"}, "--fast");
    EXPECT_EQ(other.status, 0) << other.err;
    EXPECT_TRUE(other.out.empty()) << other.out;
    fs::remove_all(dir);
}

// The key posted after frame N's swap is dispatched by that frame's pump:
// frame N + 1 is the last drawn and shown, in whichever effect it falls (719
// is the logo's last), then the device closes.
TEST(Lumivex, AKeyEndsTheShowOneFrameLater)
{
    for (int frame : {0, 719}) {
        SCOPED_TRACE(frame);
        Outcome o = run_lumivex({"LUMIVEX_DIALOG=start", "LUMIVEX_KEY_AT_FRAME=" + std::to_string(frame)});
        EXPECT_EQ(o.result.status, 0) << o.result.err;
        EXPECT_EQ(std::count(o.trace.begin(), o.trace.end(), "grBufferSwap 2"), frame + 2);
        EXPECT_EQ(std::count_if(o.trace.begin(), o.trace.end(),
                                [](auto &l) { return l.starts_with("gu3dfGetInfo"); }),
                  frame ? 2 : 1);
        // Showing the window activates and moves it before the device is up,
        // and those notifications reach Glide too; then the device comes up.
        ASSERT_GE(o.trace.size(), 4u);
        EXPECT_EQ(std::vector<std::string>(o.trace.begin(), o.trace.begin() + 4),
                  (std::vector<std::string>{"grSstControl 1", "grSstControl 4", "grGlideInit",
                                            "grSstQueryHardware -"}));
        auto last_swap = std::find(o.trace.rbegin(), o.trace.rend(), "grBufferSwap 2").base();
        EXPECT_EQ(std::vector<std::string>(last_swap, o.trace.end()),
                  (std::vector<std::string>{"grBufferClear 0 0 65535", "grSstIdle", "grSstWinClose",
                                            "grGlideShutdown"}));
    }
}

// A failed start-up check is reported with its expression. Abort, which is
// also what no answer means, ends the program at once with 3, the device not
// even closed; Ignore goes on as if the call had succeeded (the program's
// report is the library's affair), to the key and 0. A window cannot open
// without a display.
TEST(Lumivex, AFailedStartUpCheckIsReportedAndAbortEndsWithThree)
{
    const std::string QUERY =
        "File: glidemain\nLine: 90\n\nExpression: grSstQueryHardware ( &voo_hwconfig )\n";
    const std::string OPEN =
        "File: glidemain\nLine: 104\n\nExpression: grSstWinOpen( (FxU32)hWnd , "
        "GR_RESOLUTION_640x480, GR_REFRESH_60Hz, GR_COLORFORMAT_RGBA, GR_ORIGIN_UPPER_LEFT, 2, 1 )\n";
    const struct {
        std::vector<std::string> env;
        const std::string &report;
        const char *last_call;
    } cases[] = {
        {{"LUMIVEX_BOARDS=0", "LUMIVEX_MESSAGEBOX=abort"}, QUERY, "grSstQueryHardware"},
        {{"LUMIVEX_FAIL_OPEN=1", "LUMIVEX_MESSAGEBOX=abort"}, OPEN, "grSstWinOpen"},
        {{"LUMIVEX_OUTPUT=window"}, OPEN, "grSstWinOpen"},
        {{"LUMIVEX_BOARDS=0", "LUMIVEX_MESSAGEBOX=ignore"}, QUERY, nullptr},
        {{"LUMIVEX_FAIL_OPEN=1", "LUMIVEX_MESSAGEBOX=ignore"}, OPEN, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.env[0]);
        std::vector<std::string> env = c.env;
        env.insert(env.end(), {"LUMIVEX_DIALOG=start", "LUMIVEX_KEY_AT_FRAME=0"});
        Outcome o = run_lumivex(env);
        EXPECT_EQ(o.result.status, c.last_call ? 3 : 0);
        EXPECT_NE(o.result.err.find(c.report), std::string::npos) << o.result.err;
        ASSERT_FALSE(o.trace.empty());
        EXPECT_TRUE(o.trace.back().starts_with(c.last_call ? c.last_call : "grGlideShutdown"))
            << o.trace.back();
    }
}

}  // namespace
