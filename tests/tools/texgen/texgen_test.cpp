// The committed textures are exactly what texgen makes: run it into a fresh
// directory and compare the files byte for byte with pak/.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string contents(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(Texgen, RegeneratesThePakTexturesByteForByte) {
    std::filesystem::path out = std::filesystem::path(testing::TempDir()) / "lumivex_texgen";
    std::filesystem::remove_all(out);
    std::filesystem::create_directories(out);
    std::string command = std::string("\"") + TEXGEN_PATH + "\" \"" + out.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const char *name : {"3dfx.3df", "cube.3df", "torus.3df"}) {
        std::string made = contents(out / name);
        std::string committed = contents(std::filesystem::path(LUMIVEX_SOURCE_DIR) / "pak" / name);
        EXPECT_FALSE(made.empty()) << name;
        EXPECT_TRUE(made == committed) << name << " differs from pak/; run texgen pak to regenerate";
    }
}

} // namespace
