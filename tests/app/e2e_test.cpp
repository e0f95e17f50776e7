// The program end to end: the real lumivex binary, offscreen, answered by
// the stand-ins' environment variables, judged by its exit code, its
// messages and the trace of its Glide calls.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

const int TIMEOUT_SECONDS = 240;

struct Outcome {
    int exit_code = -1;  // -1: killed by a signal, by the timeout or by us
    bool timed_out = false;
    bool stopped = false;  // ended by us after the frames we waited for
    std::string errors;               // stderr
    std::vector<std::string> trace;   // one Glide call a line
    bool trace_exists = false;
};

std::string read_all(const fs::path &p)
{
    std::ifstream in(p);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

int count_swaps(const fs::path &trace)
{
    std::ifstream in(trace);
    int n = 0;
    for (std::string line; std::getline(in, line);)
        n += line.rfind("grBufferSwap", 0) == 0;
    return n;
}

// Runs the program in `dir` with only the given environment (and PATH), so
// that nothing of the caller's, a display least of all, leaks in. A run that
// nothing will end (a show without an open device never gets its scripted
// key) is ended by us once `stop_at_swaps` frames have been swapped.
Outcome run_lumivex(std::vector<std::string> env, const fs::path &dir = LUMIVEX_SOURCE_DIR,
                    int stop_at_swaps = 0)
{
    std::string pattern = (fs::path(testing::TempDir()) / "lumivex-run-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return Outcome{};
    fs::path scratch = pattern;
    fs::path trace = scratch / "trace.txt", errors = scratch / "stderr.txt";
    env.push_back("LUMIVEX_TRACE=" + trace.string());
    env.push_back("LUMIVEX_OUTPUT=offscreen");
    env.push_back("LUMIVEX_SWAP_INTERVAL=0");
    env.push_back("SDL_VIDEODRIVER=dummy");
    env.push_back(std::string("PATH=") + (getenv("PATH") ? getenv("PATH") : "/usr/bin:/bin"));
    std::vector<char *> envp;
    for (std::string &e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string program = std::string(LUMIVEX_BINARY_DIR) + "/app/lumivex";

    pid_t pid = fork();
    if (pid == 0) {
        int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(err, 2);
        if (chdir(dir.c_str()) != 0)
            _exit(126);
        char *argv[] = {program.data(), nullptr};
        execve(program.c_str(), argv, envp.data());
        _exit(127);
    }
    Outcome o;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(TIMEOUT_SECONDS);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        o.timed_out = std::chrono::steady_clock::now() > deadline;
        o.stopped = stop_at_swaps > 0 && count_swaps(trace) >= stop_at_swaps;
        if (o.timed_out || o.stopped) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!o.timed_out && !o.stopped && WIFEXITED(status))
        o.exit_code = WEXITSTATUS(status);
    o.errors = read_all(errors);
    o.trace_exists = fs::exists(trace);
    std::ifstream in(trace);
    for (std::string line; std::getline(in, line);)
        o.trace.push_back(line);
    fs::remove_all(scratch);
    return o;
}

std::string name_of(const std::string &line)
{
    return line.substr(0, line.find(' '));
}

int count_calls(const Outcome &o, const std::string &name)
{
    int n = 0;
    for (const std::string &l : o.trace)
        n += name_of(l) == name;
    return n;
}

int index_of(const Outcome &o, const std::string &name, int from = 0)
{
    for (size_t i = from; i < o.trace.size(); ++i)
        if (name_of(o.trace[i]) == name)
            return static_cast<int>(i);
    return -1;
}

// The show ended by a key after frame N: frame N+1 was drawn and shown, then
// the device closed, and nothing was drawn after the last swap.
void expect_ended_after_frame(const Outcome &o, int key_frame)
{
    ASSERT_FALSE(o.timed_out);
    EXPECT_EQ(o.exit_code, 0) << o.errors;
    EXPECT_EQ(count_calls(o, "grBufferSwap"), key_frame + 2);
    ASSERT_GE(o.trace.size(), 2u);
    EXPECT_EQ(o.trace[o.trace.size() - 2], "grSstWinClose");
    EXPECT_EQ(o.trace.back(), "grGlideShutdown");
    int last_swap = -1;
    for (size_t i = 0; i < o.trace.size(); ++i)
        if (name_of(o.trace[i]) == "grBufferSwap")
            last_swap = static_cast<int>(i);
    ASSERT_GE(last_swap, 0);
    for (size_t i = last_swap + 1; i + 2 < o.trace.size(); ++i)
        EXPECT_TRUE(name_of(o.trace[i]) == "grBufferClear" || name_of(o.trace[i]) == "grSstIdle")
            << "after the last frame: " << o.trace[i];
}

std::string frames_around(int frame)
{
    return "LUMIVEX_TRACE_FRAMES=" + std::to_string(frame > 0 ? frame - 1 : 0) + "-" + std::to_string(frame + 1);
}

TEST(Lumivex, ExitInTheDialogEndsWithoutTouchingGlide)
{
    Outcome o = run_lumivex({"LUMIVEX_DIALOG=exit"});
    EXPECT_EQ(o.exit_code, 0) << o.errors;
    EXPECT_TRUE(o.trace.empty()) << o.trace.front();
    EXPECT_TRUE(o.errors.empty()) << o.errors;
}

TEST(Lumivex, WithoutDisplayOrAnswerItSaysWhatToDoInOneLine)
{
    Outcome o = run_lumivex({});
    EXPECT_EQ(o.exit_code, 0);
    EXPECT_TRUE(o.trace.empty());
    EXPECT_EQ(std::count(o.errors.begin(), o.errors.end(), '\n'), 1) << o.errors;
    EXPECT_NE(o.errors.find("LUMIVEX_DIALOG=start LUMIVEX_OUTPUT=offscreen"), std::string::npos) << o.errors;
}

TEST(Lumivex, AKeyEndsTheShowOneFrameLaterInEachEffect)
{
    // A frame of the logo, of the cubes and of the torus.
    for (int frame : {0, 100, 800, 2000}) {
        SCOPED_TRACE(frame);
        Outcome o = run_lumivex({"LUMIVEX_DIALOG=start", "LUMIVEX_KEY_AT_FRAME=" + std::to_string(frame),
                                 frames_around(frame)});
        expect_ended_after_frame(o, frame);
        // Showing the window activates and moves it before the device is up,
        // and those notifications reach Glide too; then the device comes up in
        // its order before the first frame.
        ASSERT_GE(o.trace.size(), 2u);
        EXPECT_EQ(o.trace[0], "grSstControl 1");
        EXPECT_EQ(o.trace[1], "grSstControl 4");
        int init = index_of(o, "grGlideInit"), open = index_of(o, "grSstWinOpen");
        EXPECT_EQ(init, 2);
        EXPECT_LT(init, open);
        EXPECT_LT(open, index_of(o, "grBufferSwap"));
    }
}

TEST(Lumivex, AWholePassAndTheStartOfTheNext)
{
    const int key = 3601;  // the logo's second frame of the second pass
    Outcome o = run_lumivex({"LUMIVEX_DIALOG=start", "LUMIVEX_KEY_AT_FRAME=" + std::to_string(key),
                             "LUMIVEX_TRACE_FRAMES=0-1,719-721,1439-1441,3599-3603"});
    expect_ended_after_frame(o, key);
    // Each effect loads its texture when it starts: logo, cubes, torus, logo.
    std::vector<std::string> order;
    for (const std::string &l : o.trace)
        for (const char *file : {"3dfx.3df", "cube.3df", "torus.3df"})
            if (l.find(file) != std::string::npos && (order.empty() || order.back() != file))
                order.push_back(file);
    EXPECT_EQ(order, (std::vector<std::string>{"3dfx.3df", "cube.3df", "torus.3df", "3dfx.3df"}));
}

TEST(Lumivex, AMissingMeshStillOpensAndClosesTheDevice)
{
    std::string pattern = (fs::path(testing::TempDir()) / "lumivex-pak-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    fs::path dir = pattern;
    fs::create_directories(dir / "pak");
    for (const auto &f : fs::directory_iterator(fs::path(LUMIVEX_SOURCE_DIR) / "pak"))
        if (f.path().filename() != "torus.dat")
            fs::copy_file(f.path(), dir / "pak" / f.path().filename());
    Outcome o = run_lumivex({"LUMIVEX_DIALOG=start"}, dir);
    fs::remove_all(dir);
    EXPECT_EQ(o.exit_code, 1) << o.errors;  // a failed load is no success
    EXPECT_GE(index_of(o, "grSstWinOpen"), 0);
    EXPECT_EQ(count_calls(o, "grBufferSwap"), 0);
    ASSERT_GE(o.trace.size(), 2u);
    EXPECT_EQ(o.trace[o.trace.size() - 2], "grSstWinClose");
    EXPECT_EQ(o.trace.back(), "grGlideShutdown");
}

struct Fault {
    const char *variable;
    const char *failing_call;
    const char *expression;
    const char *line;
};
const Fault FAULTS[] = {
    {"LUMIVEX_BOARDS=0", "grSstQueryHardware", "grSstQueryHardware ( &voo_hwconfig )", "Line: 90"},
    {"LUMIVEX_FAIL_OPEN=1", "grSstWinOpen",
     "grSstWinOpen( (FxU32)hWnd , GR_RESOLUTION_640x480, GR_REFRESH_60Hz, GR_COLORFORMAT_RGBA, "
     "GR_ORIGIN_UPPER_LEFT, 2, 1 )",
     "Line: 104"},
};

TEST(Lumivex, AbortInTheAssertionReportEndsWithThreeAndNoFurtherDeviceCall)
{
    for (const Fault &f : FAULTS) {
        SCOPED_TRACE(f.variable);
        Outcome o = run_lumivex({"LUMIVEX_DIALOG=start", f.variable, "LUMIVEX_MESSAGEBOX=abort"});
        EXPECT_EQ(o.exit_code, 3) << o.errors;
        ASSERT_FALSE(o.trace.empty());
        EXPECT_EQ(name_of(o.trace.back()), f.failing_call);
        EXPECT_NE(o.errors.find("Assertion failed!"), std::string::npos) << o.errors;
        EXPECT_NE(o.errors.find(f.expression), std::string::npos) << o.errors;
        EXPECT_NE(o.errors.find("glidemain"), std::string::npos) << o.errors;
        EXPECT_NE(o.errors.find(f.line), std::string::npos) << o.errors;
    }
}

TEST(Lumivex, IgnoreInTheAssertionReportGoesOnWithTheStartUp)
{
    // No scripted key is set, so the show would run on: we end it once it
    // has swapped a few frames.
    for (const Fault &f : FAULTS) {
        SCOPED_TRACE(f.variable);
        Outcome o = run_lumivex({"LUMIVEX_DIALOG=start", f.variable, "LUMIVEX_MESSAGEBOX=ignore"},
                                LUMIVEX_SOURCE_DIR, 3);
        EXPECT_TRUE(o.stopped) << o.errors;
        int failed = index_of(o, f.failing_call);
        ASSERT_GE(failed, 0);
        // The next step of the start-up follows the failed call, and so do
        // the render state, the first effect and its frames.
        const char *next = std::string(f.failing_call) == "grSstQueryHardware" ? "grSstSelect" : "grDepthBufferMode";
        EXPECT_EQ(index_of(o, next, failed), failed + 1);
        EXPECT_GT(index_of(o, "grClipWindow", failed), failed);
        EXPECT_GE(count_calls(o, "grBufferSwap"), 3);
        EXPECT_NE(o.errors.find(f.line), std::string::npos) << o.errors;
        EXPECT_NE(o.errors.find("answered ignore"), std::string::npos) << o.errors;
    }
}

}  // namespace
