// device_test.cpp - 3DF texture loading by the device. Its calls and its
// assertion report are the end-to-end tests' (tests/app).
#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "device/glidemain.h"
#include "tests/support/environment.h"
#include "tests/support/files.h"

namespace fs = std::filesystem;

// Texture loading runs in this process, on a device opened offscreen once.
class Textures : public ::testing::Test {
  protected:
    static inline std::string directory;

    static void SetUpTestSuite()
    {
        directory = make_temp_directory();
        set_offscreen();
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
        out << "3df v1.0\nyiq\nlod range: 1 1\naspect ratio: 1 1\n"
            << std::string(2 * (16 + 12 + 12), '\x7f');
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
    round();  // the library's own buffers settle first
    round();
    size_t before = heap_in_use();
    for (int i = 0; i < 10; ++i)
        round();
    EXPECT_EQ(heap_in_use(), before);
}
