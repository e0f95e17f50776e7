// Malformed files: bad required data rejects the file; a bad optional chunk
// leaves its part absent. Either way nothing outside the file is read and the
// draw modes can index every list they use.
#include <gtest/gtest.h>

#include "mesh_files.h"
#include "sample_mesh.h"

namespace {

// 357913942 records of 12 bytes are 2^32 + 8 bytes: 8 when the size wraps
// at 32 bits.
const int32_t WRAPS_TO_8_BYTES = 357913942;

// The sample file with one chunk replaced and one list moved to the end, so
// that a count too large for that list runs past the end of the file rather
// than into the next chunk.
Bytes damaged(std::vector<Bytes> chunks, int which, const Bytes &replacement, int last)
{
    chunks[which] = replacement;
    std::vector<int> order;
    for (int c = 0; c < CHUNKS; c++) {
        if (c != last)
            order.push_back(c);
    }
    order.push_back(last);
    return join(chunks, order);
}

MeshPtr load_checked(const Bytes &file)
{
    MeshPtr mesh = load_bytes(file);
    if (mesh) {
        EXPECT_EQ(draw_guarantee_violation(mesh.get(), file.size()), "");
    }
    return mesh;
}

TEST(MalformedMesh, BadCountsRejectTheFile)
{
    const std::vector<Bytes> chunks = chunks_of(sample_model());
    EXPECT_EQ(load_checked(damaged(chunks, VTXNUM, count_chunk("VTXNUM->", -1), VTXLIST)), nullptr);
    EXPECT_EQ(load_checked(damaged(chunks, FACENUM, count_chunk("FACENUM>", -1), FACELIST)), nullptr);
    // Counts that promise more records than the file holds.
    EXPECT_EQ(load_checked(damaged(chunks, VTXNUM, count_chunk("VTXNUM->", 5), VTXLIST)), nullptr);
    for (int32_t count : {5, 1000000, WRAPS_TO_8_BYTES, INT32_MAX})
        EXPECT_EQ(load_checked(damaged(chunks, FACENUM, count_chunk("FACENUM>", count), FACELIST)), nullptr) << count;
    // The normal list has no count of its own: one short is too short.
    Bytes short_normals = chunks[NMLIST];
    short_normals.resize(short_normals.size() - 1);
    EXPECT_EQ(load_checked(damaged(chunks, NMLIST, short_normals, NMLIST)), nullptr);
}

TEST(MalformedMesh, VertexCountIsCappedAtMaxVertices)
{
    MeshModel model;
    model.vertices.assign(MAX_VERTICES, {1, 2, 3});
    MeshPtr mesh = load_checked(join(chunks_of(model)));
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->vertex_count, MAX_VERTICES);

    model.vertices.push_back({4, 5, 6});
    EXPECT_EQ(load_checked(join(chunks_of(model))), nullptr);
}

TEST(MalformedMesh, FaceIndicesOutsideTheVerticesRejectTheFile)
{
    for (int32_t index : {4, -1, INT32_MIN}) {
        MeshModel model = sample_model();
        model.faces[3][2] = index;
        EXPECT_EQ(load_checked(join(chunks_of(model))), nullptr) << index;
    }
}

TEST(MalformedMesh, BadTextureFacesAreDropped)
{
    MeshModel model = sample_model();
    model.tex_faces[2][1] = 5; // one past the texture vertices
    MeshPtr mesh = load_checked(join(chunks_of(model)));
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->tex_faces, nullptr);
    EXPECT_NE(mesh->tex_vertices, nullptr);

    // Fewer texture faces than faces: face 3 would have none.
    model = sample_model();
    model.tex_faces.pop_back();
    mesh = load_checked(join(chunks_of(model)));
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->tex_faces, nullptr);

    // A count beyond the records in the file, or negative.
    const std::vector<Bytes> chunks = chunks_of(sample_model());
    for (int32_t count : {5, WRAPS_TO_8_BYTES, -4}) {
        mesh = load_checked(damaged(chunks, TVFCNUM, count_chunk("TVFCNUM>", count), TVFCLIST));
        ASSERT_NE(mesh, nullptr) << count;
        EXPECT_EQ(mesh->tex_faces, nullptr) << count;
        EXPECT_GE(mesh->tex_face_count, 0);
        EXPECT_NE(mesh->colours, nullptr);
    }
}

TEST(MalformedMesh, BadTextureVerticesTakeTheTextureFacesWithThem)
{
    const std::vector<Bytes> chunks = chunks_of(sample_model());
    for (int32_t count : {6, WRAPS_TO_8_BYTES, -1}) {
        MeshPtr mesh = load_checked(damaged(chunks, TVTXNUM, count_chunk("TVTXNUM>", count), TVTXLIST));
        ASSERT_NE(mesh, nullptr) << count;
        EXPECT_EQ(mesh->tex_vertices, nullptr) << count;
        EXPECT_EQ(mesh->tex_faces, nullptr) << count;
        EXPECT_GE(mesh->tex_vertex_count, 0);
    }
    // Fewer texture vertices than the texture faces use.
    MeshPtr mesh = load_checked(damaged(chunks, TVTXNUM, count_chunk("TVTXNUM>", 4), TVTXLIST));
    ASSERT_NE(mesh, nullptr);
    EXPECT_NE(mesh->tex_vertices, nullptr);
    EXPECT_EQ(mesh->tex_faces, nullptr);
}

TEST(MalformedMesh, AColourListShorterThanTheVerticesIsDropped)
{
    std::vector<Bytes> chunks = chunks_of(sample_model());
    Bytes short_colours = chunks[CVTX];
    short_colours.resize(short_colours.size() - 1);
    MeshPtr mesh = load_checked(damaged(chunks, CVTX, short_colours, CVTX));
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->colours, nullptr);
    EXPECT_NE(mesh->tex_faces, nullptr);
}

} // namespace
