// A trace may allocate a mip-map larger than the texture file it loaded: the
// download would read past the loaded texels, so the line is refused as
// malformed and the replay goes on.
#include "play.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(ReplayDownload, LargerThanTheLoadedTexelsIsAMalformedLine) {
    setenv("LUMIVEX_OUTPUT", "offscreen", 1);
    TracePlayer player;
    player.errors = nullptr;
    for (const char *line : {"grGlideInit", "grSstQueryHardware -", "grSstSelect 0", "grSstWinOpen - 7 0 2 0 2 1",
                             "gu3dfGetInfo \"pak//torus.3df\" -", "gu3dfLoad \"pak//torus.3df\" -"})
        ASSERT_TRUE(play_line(player, line)) << line;
    const char *rgb565 = "guTexAllocateMemory 0 3 256 256 10 2 8 0 3 0 0 1 1 0 0";
    const char *yiq = "guTexAllocateMemory 0 3 256 256 1 2 8 0 3 0 0 1 1 0 0";
    ASSERT_TRUE(play_line(player, rgb565));
    EXPECT_FALSE(play_line(player, "guTexDownloadMipMap 7 - -"));  // twice the bytes of the YIQ file
    ASSERT_TRUE(play_line(player, yiq));
    EXPECT_TRUE(play_line(player, "guTexDownloadMipMap 8 - -"));
    EXPECT_TRUE(play_line(player, "grGlideShutdown"));
    EXPECT_EQ(player.problems, 1);
}
