// Hostile surroundings: a FIFO where a texture file belongs, a trace file
// that cannot be written.
#include "glide_test.h"

#include <sys/stat.h>

using namespace glide_test;

namespace {

std::string stderr_of_a_frame()
{
    testing::internal::CaptureStderr();
    if (open_device()) {
        grBufferSwap(1);
        grSstWinClose();
        grGlideShutdown();
    }
    return testing::internal::GetCapturedStderr();
}

}  // namespace

// Opening a FIFO for reading waits for a writer: it must be refused at once.
TEST(Hostile, AFifoInPlaceOfATextureFileIsRefusedWithoutWaiting)
{
    std::string fifo = testing::TempDir() + "glide_test_fifo.3df";
    remove(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    Gu3dfInfo info{};
    EXPECT_FALSE(gu3dfGetInfo(fifo.c_str(), &info));
    EXPECT_FALSE(gu3dfLoad(fifo.c_str(), &info));
    remove(fifo.c_str());
}

TEST(Hostile, AnUnwritableTraceIsReportedOnceAndTheShowGoesOn)
{
    clear_environment();
    grGlideInit();  // closes a log this test left open when it ran before: a new one is told anew
    grGlideShutdown();
    setenv("LUMIVEX_OUTPUT", "offscreen", 1);
    setenv("LUMIVEX_SWAP_INTERVAL", "0", 1);
    setenv("LUMIVEX_TRACE", "/dev/full", 1);
    std::string report = stderr_of_a_frame() + stderr_of_a_frame();
    clear_environment();
    EXPECT_EQ(report,
              "lumivex glide: LUMIVEX_TRACE=\"/dev/full\" could not be written; the trace is incomplete\n");
}
