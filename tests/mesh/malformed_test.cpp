// Malformed files: bad required data rejects the file; a bad optional chunk
// leaves its part absent. Whatever loads keeps the draw modes inside lists.
#include <gtest/gtest.h>

#include "mesh_files.h"

namespace {

// 357913942 records of 12 bytes are 2^32 + 8 bytes, or 8 if the size wraps.
const int32_t WRAPS = 357913942;

// The sample's chunks with one replaced.
std::vector<Bytes> sample_with(int which, const Bytes &replacement)
{
    std::vector<Bytes> chunks = chunks_of(sample_model());
    chunks[which] = replacement;
    return chunks;
}

// Loads the chunks with the list `last` moved to the end of the file, so that
// a count too large for it runs past the end rather than into the next chunk.
MeshPtr load_checked(const std::vector<Bytes> &chunks, int last = CVTX)
{
    std::vector<int> order;
    for (int c = 0; c < int(chunks.size()); c++) {
        if (c != last)
            order.push_back(c);
    }
    order.push_back(last);
    Bytes file = join(chunks, order);
    MeshPtr mesh = load_bytes(file);
    if (mesh) {
        EXPECT_EQ(draw_guarantee_violation(mesh.get(), file.size()), "");
    }
    return mesh;
}

TEST(MalformedMesh, BadRequiredDataRejectsTheFile)
{
    EXPECT_EQ(load_checked(sample_with(VTXNUM, count_chunk("VTXNUM->", -1)), VTXLIST), nullptr);
    EXPECT_EQ(load_checked(sample_with(VTXNUM, count_chunk("VTXNUM->", 5)), VTXLIST), nullptr);
    for (int32_t count : {-1, 5, WRAPS, INT32_MAX})
        EXPECT_EQ(load_checked(sample_with(FACENUM, count_chunk("FACENUM>", count)), FACELIST), nullptr)
            << count;
    Bytes short_normals = chunks_of(sample_model())[NMLIST];
    short_normals.pop_back();
    EXPECT_EQ(load_checked(sample_with(NMLIST, short_normals), NMLIST), nullptr);

    for (int32_t index : {4, -1, INT32_MIN}) {
        MeshModel model = sample_model();
        model.faces[3][2] = index;
        EXPECT_EQ(load_checked(chunks_of(model)), nullptr) << index;
    }
    // At most MAX_VERTICES vertices.
    MeshModel model;
    model.vertices.assign(MAX_VERTICES, {1, 2, 3});
    MeshPtr mesh = load_bytes(join(chunks_of(model)));
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->vertex_count, MAX_VERTICES);
    model.vertices.push_back({4, 5, 6});
    EXPECT_EQ(load_bytes(join(chunks_of(model))), nullptr);
}

// Bad optional chunks leave their part absent.
TEST(MalformedMesh, BadOptionalChunksAreDropped)
{
    MeshModel model = sample_model();
    model.tex_faces[2][1] = 5;  // one past the texture vertices
    MeshPtr mesh = load_checked(chunks_of(model));
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->tex_faces, nullptr);
    EXPECT_NE(mesh->tex_vertices, nullptr);

    model = sample_model();
    model.tex_faces.pop_back();  // face 3 would have no texture face
    mesh = load_checked(chunks_of(model));
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->tex_faces, nullptr);

    for (int32_t count : {5, WRAPS, -4}) {
        mesh = load_checked(sample_with(TVFCNUM, count_chunk("TVFCNUM>", count)), TVFCLIST);
        ASSERT_NE(mesh, nullptr) << count;
        EXPECT_EQ(mesh->tex_faces, nullptr) << count;
        EXPECT_NE(mesh->colours, nullptr);
    }
    // Texture vertices past the end of the file, negative, or fewer than the
    // texture faces use: the texture faces go with them.
    for (int32_t count : {6, WRAPS, -1, 4}) {
        mesh = load_checked(sample_with(TVTXNUM, count_chunk("TVTXNUM>", count)), TVTXLIST);
        ASSERT_NE(mesh, nullptr) << count;
        EXPECT_EQ(mesh->tex_vertices != nullptr, count == 4) << count;
        EXPECT_EQ(mesh->tex_faces, nullptr) << count;
    }
    // A colour list one byte short goes alone.
    Bytes short_colours = chunks_of(sample_model())[CVTX];
    short_colours.pop_back();
    mesh = load_checked(sample_with(CVTX, short_colours));
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->colours, nullptr);
    EXPECT_NE(mesh->tex_faces, nullptr);
}

}  // namespace
