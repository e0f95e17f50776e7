// mesh_files.cpp - mesh files as bytes for the reader's tests; see mesh_files.h.
#include "mesh_files.h"

#include <cstdlib>
#include <unistd.h>

void MeshFree::operator()(Mesh *mesh) const
{
    free(mesh->vertices);
    free(mesh->normals);
    free(mesh->file_data);
    free(mesh);
}

MeshPtr load_bytes(const Bytes &bytes)
{
    char path[] = "/tmp/lumivex_mesh_XXXXXX";
    int fd = mkstemp(path);
    bool written = fd >= 0 && write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
    if (fd >= 0)
        close(fd);
    MeshPtr mesh(written ? mesh_load(path) : nullptr);
    unlink(path);
    return mesh;
}

MeshModel sample_model()
{
    MeshModel m;
    m.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    m.tex_vertices = {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {0.5f, 0.25f}};
    m.add_face({0, 2, 1}, {0, 1, 2}, {0, 0, -1});
    m.add_face({0, 1, 3}, {1, 2, 3}, {0, -1, 0});
    m.add_face({0, 3, 2}, {2, 3, 4}, {-1, 0, 0});
    m.add_face({1, 2, 3}, {4, 3, 0}, {1, 1, 1});
    m.colours = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0.5f, 0}};
    return m;
}

std::vector<Bytes> chunks_of(const MeshModel &model)
{
    ChunkWriter file = encode_mesh(model);
    std::vector<Bytes> chunks;
    for (size_t i = 0; i < file.tag_offsets.size(); i++) {
        size_t end = i + 1 < file.tag_offsets.size() ? file.tag_offsets[i + 1] : file.bytes.size();
        chunks.emplace_back(file.bytes.begin() + file.tag_offsets[i], file.bytes.begin() + end);
    }
    return chunks;
}

Bytes join(const std::vector<Bytes> &chunks, std::vector<int> order)
{
    if (order.empty()) {
        for (size_t i = 0; i < chunks.size(); i++)
            order.push_back(int(i));
    }
    Bytes out;
    for (int i : order)
        out.insert(out.end(), chunks[i].begin(), chunks[i].end());
    return out;
}

Bytes count_chunk(const char *tag, int32_t count)
{
    ChunkWriter w;
    w.tag(tag);
    w.i32(count);
    return w.bytes;
}

// Whether count 12-byte records at p lie inside the file block.
static bool inside(const Mesh *mesh, size_t length, const void *p, int64_t count)
{
    const unsigned char *at = static_cast<const unsigned char *>(p);
    const unsigned char *end = mesh->file_data + length;
    return at >= mesh->file_data && at <= end && count * 12 <= end - at;
}

std::string draw_guarantee_violation(const Mesh *mesh, size_t length)
{
    const int32_t V = mesh->vertex_count, F = mesh->face_count;
    const int32_t T = mesh->tex_vertices ? mesh->tex_vertex_count : 0;
    if (V < 0 || V > 1000 || F < 0 || mesh->tex_face_count < 0 || T < 0)
        return "a count out of range";
    if (!inside(mesh, length, mesh->faces, F) ||
        (mesh->tex_vertices && !inside(mesh, length, mesh->tex_vertices, T)))
        return "a list past the end of the file";
    if (mesh->tex_faces && (!inside(mesh, length, mesh->tex_faces, F) || mesh->tex_face_count < F))
        return "fewer texture faces than faces";
    if (mesh->colours && !inside(mesh, length, mesh->colours, V))
        return "fewer colours than vertices";
    // Read what the draw modes read; a read outside a block is caught by the
    // sanitizers in the fuzz test.
    volatile float sink = 0;
    for (int32_t i = 0; i < F; i++) {
        for (int k = 0; k < 3; k++) {
            int32_t n = mesh->faces[i].v[k];
            if (n < 0 || n >= V)
                return "a face index outside the vertices";
            sink =
                sink + mesh->vertices[n].x + mesh->normals[i].x + (mesh->colours ? mesh->colours[n].red : 0);
            if (mesh->tex_faces) {
                int32_t m = mesh->tex_faces[i].t[k];
                if (m < 0 || m >= T)
                    return "a texture-face index outside the texture vertices";
                sink = sink + mesh->tex_vertices[m].u;
            }
        }
    }
    return "";
}
