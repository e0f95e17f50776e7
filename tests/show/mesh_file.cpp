#include "mesh_file.h"

#include <fstream>

bool write_mesh_file(const std::string &path, const MeshModel &model)
{
    ChunkWriter file = encode_mesh(model);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(file.bytes.data()), (std::streamsize)file.bytes.size());
    return (bool)out;
}

MeshModel tetrahedron()
{
    MeshModel m;
    m.vertices = {{1, 1, 1}, {-1, -1, 1}, {-1, 1, -1}, {1, -1, -1}};
    m.tex_vertices = {{0.0f, 0.0f}, {0.5f, 0.0f}, {0.5f, 0.5f}};
    m.add_face({0, 1, 2}, {0, 1, 2}, {-1, 1, 1});
    m.add_face({0, 3, 1}, {0, 2, 1}, {1, -1, 1});
    m.add_face({0, 2, 3}, {1, 2, 0}, {1, 1, -1});
    m.add_face({1, 3, 2}, {2, 1, 0}, {-1, -1, -1});
    m.colours = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}};
    return m;
}
