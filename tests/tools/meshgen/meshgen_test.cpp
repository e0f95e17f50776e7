// The committed mesh files are exactly what the generator makes: a change to
// the generator must come with the regenerated files, and the files cannot
// drift from their source.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

std::vector<char> contents(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

TEST(Meshgen, ReproducesThePakFilesByteForByte)
{
    char dir[] = "/tmp/lumivex_meshgen_XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    std::string command = std::string("\"") + MESHGEN_PATH + "\" \"" + dir + "\"";
    EXPECT_EQ(std::system(command.c_str()), 0);
    for (const char *name : {"cube.dat", "torus.dat", "3dfx.dat"}) {
        std::vector<char> made = contents(std::filesystem::path(dir) / name);
        std::vector<char> committed = contents(std::filesystem::path(LUMIVEX_SOURCE_DIR) / "pak" / name);
        EXPECT_FALSE(made.empty()) << name;
        EXPECT_TRUE(made == committed) << name << " differs from a fresh run of meshgen; regenerate pak/";
    }
    std::filesystem::remove_all(dir);
}

} // namespace
