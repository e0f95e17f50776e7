// mesh_writer.h - writes the tagged mesh file format, little-endian whatever
// the host. ChunkWriter puts down single tags, counts and words (the tests use
// it to build malformed files); encode_mesh writes a whole model chunk after
// chunk, so that every tag stays 4-aligned.
#ifndef LUMIVEX_MESH_WRITER_H
#define LUMIVEX_MESH_WRITER_H

#include <cstdint>
#include <string>
#include <vector>

#include "mesh_model.h"

struct ChunkWriter {
    std::vector<unsigned char> bytes;
    std::vector<size_t> tag_offsets;  // where each tag() call put its tag

    void tag(const char *eight_chars);  // exactly 8 bytes, no terminator
    void u32(uint32_t value);
    void i32(int32_t value);
    void f32(float value);
    void floats(const Float3 &value);
    void indices(const Index3 &value);
};

// The file image of a model: the required chunks, then the texture chunks when
// the model has texture faces, then the colours when it has colours.
ChunkWriter encode_mesh(const MeshModel &model);

// The tags whose first 4-aligned occurrence is not where they were written
// (data that happens to spell a tag earlier on): a reader would take the
// wrong bytes for that chunk. Empty when every chunk will be found.
std::vector<std::string> misplaced_tags(const ChunkWriter &file);

#endif
