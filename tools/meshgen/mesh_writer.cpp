// mesh_writer.cpp - the byte-level writer of tagged mesh files.

#include "mesh_writer.h"

#include <bit>
#include <cstring>

void ChunkWriter::tag(const char *eight_chars)
{
    tag_offsets.push_back(bytes.size());
    bytes.insert(bytes.end(), eight_chars, eight_chars + 8);
}

void ChunkWriter::u32(uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<unsigned char>(value >> shift));
}

void ChunkWriter::i32(int32_t value)
{
    u32(static_cast<uint32_t>(value));
}

void ChunkWriter::f32(float value)
{
    u32(std::bit_cast<uint32_t>(value));
}

void ChunkWriter::floats(const Float3 &value)
{
    f32(value.x);
    f32(value.y);
    f32(value.z);
}

void ChunkWriter::indices(const Index3 &value)
{
    for (int32_t index : value)
        i32(index);
}

ChunkWriter encode_mesh(const MeshModel &model)
{
    ChunkWriter w;
    w.tag("VTXNUM->");
    w.i32(static_cast<int32_t>(model.vertices.size()));
    w.tag("VTXLIST>");
    for (const Float3 &v : model.vertices)
        w.floats(v);
    w.tag("FACENUM>");
    w.i32(static_cast<int32_t>(model.faces.size()));
    w.tag("FACELIST");
    for (const Index3 &f : model.faces)
        w.indices(f);
    w.tag("NMLIST->");
    for (const Float3 &n : model.normals)
        w.floats(n);

    if (!model.tex_faces.empty()) {
        w.tag("TVFCNUM>");
        w.i32(static_cast<int32_t>(model.tex_faces.size()));
        w.tag("TVFCLIST");
        for (const Index3 &t : model.tex_faces)
            w.indices(t);
        w.tag("TVTXNUM>");
        w.i32(static_cast<int32_t>(model.tex_vertices.size()));
        w.tag("TVTXLIST");
        for (const TexCoord &t : model.tex_vertices) {
            w.f32(t.u);
            w.f32(t.v);
            w.u32(0);  // the word after u and v that nothing reads
        }
    }
    if (!model.colours.empty()) {
        w.tag("CVTX--->");
        for (const Float3 &c : model.colours)
            w.floats(c);
    }
    return w;
}

std::vector<std::string> misplaced_tags(const ChunkWriter &file)
{
    std::vector<std::string> misplaced;
    const std::vector<unsigned char> &b = file.bytes;
    for (size_t written : file.tag_offsets) {
        size_t first = written;
        for (size_t offset = 0; offset < written; offset += 4) {
            if (std::memcmp(&b[offset], &b[written], 8) == 0) {
                first = offset;
                break;
            }
        }
        if (first != written || written % 4 != 0)
            misplaced.emplace_back(reinterpret_cast<const char *>(&b[written]), 8);
    }
    return misplaced;
}
