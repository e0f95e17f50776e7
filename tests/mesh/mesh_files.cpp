#include "mesh_files.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

MeshPtr load_bytes(const std::vector<unsigned char> &bytes)
{
    char path[] = "/tmp/lumivex_mesh_XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0)
        return nullptr;
    bool written = write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
    close(fd);
    MeshPtr mesh(written ? mesh_load(path) : nullptr);
    unlink(path);
    return mesh;
}

std::vector<unsigned char> read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void free_mesh(Mesh *mesh)
{
    if (!mesh)
        return;
    free(mesh->vertices);
    free(mesh->normals);
    free(mesh->file_data);
    free(mesh);
}

// Whether count records of 12 bytes at p lie inside the block.
static bool inside(const Mesh *mesh, size_t length, const void *p, int64_t count)
{
    const unsigned char *at = static_cast<const unsigned char *>(p);
    return at >= mesh->file_data && at <= mesh->file_data + length &&
           count * 12 <= mesh->file_data + length - at;
}

std::string draw_guarantee_violation(const Mesh *mesh, size_t length)
{
    const int32_t V = mesh->vertex_count, F = mesh->face_count;
    if (V < 0 || V > MAX_VERTICES || F < 0)
        return "counts out of range";
    if (mesh->tex_face_count < 0 || mesh->tex_vertex_count < 0)
        return "negative texture count";
    if (!mesh->vertices || !mesh->normals || !inside(mesh, length, mesh->faces, F))
        return "required lists";
    const int32_t T = mesh->tex_vertices ? mesh->tex_vertex_count : 0;
    if (mesh->tex_vertices && !inside(mesh, length, mesh->tex_vertices, T))
        return "tex_vertices outside the file";
    if (mesh->tex_faces && (!inside(mesh, length, mesh->tex_faces, F) || mesh->tex_face_count < F))
        return "tex_faces shorter than the faces";
    if (mesh->colours && !inside(mesh, length, mesh->colours, V))
        return "colours shorter than the vertices";

    // Walk every face as the draw modes do; a read outside the block is what
    // the sanitizers catch in the fuzz test.
    volatile float sink = 0;
    for (int32_t i = 0; i < F; i++) {
        for (int k = 0; k < 3; k++) {
            int32_t n = mesh->faces[i].v[k];
            if (n < 0 || n >= V)
                return "face index outside the vertices";
            sink = sink + mesh->vertices[n].x + mesh->normals[i].x;
            if (mesh->colours)
                sink = sink + mesh->colours[n].red;
            if (mesh->tex_faces) {
                int32_t m = mesh->tex_faces[i].t[k];
                if (m < 0 || m >= T)
                    return "texture-face index outside the texture vertices";
                sink = sink + mesh->tex_vertices[m].u;
            }
        }
    }
    return "";
}
