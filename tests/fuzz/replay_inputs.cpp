// replay_inputs.cpp - plays each file of the directories given (and each file
// given) through a fuzz target's input function once, as libFuzzer would; a
// fault ends the program, with the sanitizers' report where they are built
// in.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int *argc, char ***argv);

int main(int argc, char **argv)
{
    namespace fs = std::filesystem;
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    std::vector<fs::path> files;
    for (int k = 1; k < argc; ++k) {
        if (fs::is_directory(argv[k]))
            for (const fs::directory_entry &e : fs::directory_iterator(argv[k]))
                files.push_back(e.path());
        else
            files.push_back(argv[k]);
    }
    for (const fs::path &file : files) {
        if (!fs::is_regular_file(file)) {
            std::fprintf(stderr, "cannot read %s\n", file.c_str());
            return 1;
        }
        const std::string bytes = read_file(file);
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs played\n", files.size());
    return files.empty() ? 1 : 0;
}
