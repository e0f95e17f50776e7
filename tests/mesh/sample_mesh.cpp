#include "sample_mesh.h"

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

Bytes join(const std::vector<Bytes> &chunks, const std::vector<int> &order)
{
    Bytes out;
    for (int i : order)
        out.insert(out.end(), chunks[i].begin(), chunks[i].end());
    return out;
}

Bytes join(const std::vector<Bytes> &chunks)
{
    Bytes out;
    for (const Bytes &c : chunks)
        out.insert(out.end(), c.begin(), c.end());
    return out;
}

Bytes count_chunk(const char *tag, int32_t count)
{
    ChunkWriter w;
    w.tag(tag);
    w.i32(count);
    return w.bytes;
}
