// main.cpp - meshgen DIRECTORY: writes cube.dat, torus.dat and 3dfx.dat into DIRECTORY.
// The output depends on nothing but this program, so the committed pak files
// can be checked against a fresh run.
#include <cstdio>
#include <fstream>
#include <string>

#include "mesh_writer.h"
#include "models.h"

static bool write_mesh(const std::string &path, const MeshModel &model)
{
    ChunkWriter file = encode_mesh(model);
    for (const std::string &tag : misplaced_tags(file)) {
        std::fprintf(stderr, "meshgen: %s: the data spells \"%s\" before its chunk\n", path.c_str(),
                     tag.c_str());
        return false;
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(file.bytes.data()), std::streamsize(file.bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "meshgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: meshgen DIRECTORY\n");
        return 2;
    }
    std::string dir = argv[1];
    bool ok = write_mesh(dir + "/cube.dat", make_cube()) && write_mesh(dir + "/torus.dat", make_torus()) &&
              write_mesh(dir + "/3dfx.dat", make_logo());
    return ok ? 0 : 1;
}
