// Damaged copies of the real mesh files: cut short, bits flipped, counts
// overwritten. Whatever the damage, the reader either rejects the file or
// gives a mesh whose every list the draw modes can index. Built with the
// address and undefined-behaviour sanitizers around the reader when the
// compiler has them, so a read outside the file block fails the test too.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "mesh_files.h"

namespace {

// Words that are likely to matter when they land on a count or an index.
const uint32_t SHARP_WORDS[] = {0, 1, 3, 999, 1000, 1001, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 357913942};

std::vector<unsigned char> damage(std::vector<unsigned char> file, std::mt19937 &random)
{
    switch (random() % 3) {
    case 0: // cut short
        file.resize(random() % (file.size() + 1));
        break;
    case 1: // a few bit flips
        for (int n = 1 + random() % 8; n > 0; n--)
            file[random() % file.size()] ^= static_cast<unsigned char>(1u << (random() % 8));
        break;
    default: { // one aligned word, most often in the chunks near the start
        size_t words = file.size() / 4;
        size_t at = 4 * (random() % 2 ? random() % std::min<size_t>(words, 64) : random() % words);
        uint32_t word = SHARP_WORDS[random() % std::size(SHARP_WORDS)];
        std::memcpy(&file[at], &word, 4);
        break;
    }
    }
    return file;
}

void fuzz(const char *path, int rounds)
{
    const std::vector<unsigned char> original = read_file(path);
    ASSERT_FALSE(original.empty()) << path;
    std::mt19937 random(20240601);
    int loaded = 0;
    for (int round = 0; round < rounds; round++) {
        std::vector<unsigned char> file = damage(original, random);
        MeshPtr mesh = load_bytes(file);
        if (!mesh)
            continue;
        loaded++;
        ASSERT_EQ(draw_guarantee_violation(mesh.get(), file.size()), "") << path << " round " << round;
    }
    // Most damage leaves a loadable file: the walk above did see meshes.
    EXPECT_GT(loaded, rounds / 4) << path;
}

TEST(MeshFuzz, Cube)
{
    fuzz("pak/cube.dat", 3000);
}

TEST(MeshFuzz, Logo)
{
    fuzz("pak/3dfx.dat", 1500);
}

TEST(MeshFuzz, Torus)
{
    fuzz("pak/torus.dat", 400);
}

} // namespace
