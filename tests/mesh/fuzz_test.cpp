// fuzz_test.cpp - damaged copies of the real mesh files: cut short, bits
// flipped, words overwritten. The reader either rejects the file or gives a
// mesh whose every list the draw modes can index. Built with the address and
// undefined- behaviour sanitizers around the reader where the compiler has
// them, so a read outside the file block or a leak on a failed load fails the
// test too.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "mesh_files.h"
#include "tests/support/files.h"

namespace {

// Words likely to matter when they land on a count or an index.
const uint32_t SHARP_WORDS[] = {0, 1, 3, 999, 1000, 1001, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 357913942};

void fuzz(const char *path, int rounds)
{
    const std::string file = read_file(path);
    const Bytes original(file.begin(), file.end());
    ASSERT_FALSE(original.empty()) << path;
    std::mt19937 random(20240601);
    int loaded = 0;
    for (int round = 0; round < rounds; round++) {
        Bytes file = original;
        uint32_t kind = random() % 3;
        if (kind == 0) {
            file.resize(random() % (file.size() + 1));
        } else if (kind == 1) {
            // One draw a statement: the damage must not depend on the order
            // in which a compiler evaluates an expression's operands.
            for (int n = 1 + random() % 8; n > 0; n--) {
                size_t at = random() % file.size();
                file[at] ^= static_cast<unsigned char>(1u << (random() % 8));
            }
        } else {  // an aligned word, most often among the counts near the start
            size_t words = file.size() / 4;
            bool near_start = random() % 2;
            size_t at = 4 * (random() % (near_start ? std::min<size_t>(words, 64) : words));
            std::memcpy(&file[at], &SHARP_WORDS[random() % std::size(SHARP_WORDS)], 4);
        }
        MeshPtr mesh = load_bytes(file);
        if (mesh) {
            loaded++;
            ASSERT_EQ(draw_guarantee_violation(mesh.get(), file.size()), "") << path << " round " << round;
        }
    }
    EXPECT_GT(loaded, rounds / 4) << path;  // the walk above did see meshes
}

TEST(MeshFuzz, DamagedShowMeshes)
{
    fuzz("pak/cube.dat", 3000);
    fuzz("pak/3dfx.dat", 1500);
    fuzz("pak/torus.dat", 400);
}

}  // namespace
