// test_trace.cpp - the call log's lines. A log that cannot be written is
// tests/app/write_failures.sh's.
#include "glide_test.h"

using namespace glide_test;

namespace {

class TraceTest : public Offscreen {
  protected:
    std::string path = testing::TempDir() + "glide_test_trace.txt";
    void SetUp() override
    {
        Offscreen::SetUp();
        setenv("LUMIVEX_TRACE", path.c_str(), 1);
    }
};

}  // namespace

// The show's own calls are held line for line by the golden traces; here a
// window handle, a real argument and a triangle's extreme values, twice over
// in one process: the second log starts afresh where the first was removed.
TEST_F(TraceTest, EveryCallIsALineWithItsArguments)
{
    std::string logs[2];
    for (std::string &log : logs) {
        remove(path.c_str());
        ASSERT_TRUE(open_device());
        show_calls();
        grSstWinClose();
        grGlideShutdown();
        log = read_file(path);
    }
    EXPECT_EQ(logs[1], logs[0]);
    for (const char *lines :
         {"grGlideInit\ngrSstQueryHardware -\ngrSstSelect 0\ngrSstWinOpen 257 7 0 2 0 2 1\n",
          "\nguTexAllocateMemory 0 3 8 8 10 2 5 5 3 0 0 1 1 0.100000001 0\n",
          "\nguDrawTriangleWithClip 213.3125 373.3125 0.00999999978 63.75 127.5 1 255 127.5 0"
          " 320 240 0.5 1 0 1 0 0 0 100.125 -0.0625 1 1 1 4 0.00100000005 1.00000002e+20 0\ngrBufferSwap 2\n",
          "\ngrSstControl 4\ngrSstWinClose\ngrGlideShutdown\n"})
        EXPECT_NE(logs[0].find(lines), std::string::npos) << lines << "\nin\n" << logs[0];
    EXPECT_TRUE(logs[0].starts_with("grGlideInit\n") && logs[0].ends_with("grGlideShutdown\n"));
}
