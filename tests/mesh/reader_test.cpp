// The reader on well-formed files: what it takes from each chunk, and the
// placement rules (any order, 4-aligned tags, lowest offset wins, bytes
// outside the chunks ignored).
#include <gtest/gtest.h>

#include <cstring>

#include "mesh_files.h"
#include "sample_mesh.h"

namespace {

void expect_sample(const Mesh *mesh)
{
    ASSERT_NE(mesh, nullptr);
    const MeshModel model = sample_model();
    ASSERT_EQ(mesh->vertex_count, 4);
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(mesh->vertices[i].x, model.vertices[i].x);
        EXPECT_EQ(mesh->vertices[i].y, model.vertices[i].y);
        EXPECT_EQ(mesh->vertices[i].z, model.vertices[i].z);
        EXPECT_EQ(mesh->vertices[i].w, 1.0f);
    }
    ASSERT_EQ(mesh->face_count, 4);
    for (int i = 0; i < 4; i++) {
        for (int k = 0; k < 3; k++) {
            EXPECT_EQ(mesh->faces[i].v[k], model.faces[i][k]);
            EXPECT_EQ(mesh->tex_faces[i].t[k], model.tex_faces[i][k]);
        }
        EXPECT_EQ(mesh->normals[i].x, model.normals[i].x);
        EXPECT_EQ(mesh->normals[i].z, model.normals[i].z);
        EXPECT_EQ(mesh->normals[i].w, 1.0f);
        EXPECT_EQ(mesh->colours[i].green, model.colours[i].y);
    }
    ASSERT_EQ(mesh->tex_face_count, 4);
    ASSERT_EQ(mesh->tex_vertex_count, 5);
    EXPECT_EQ(mesh->tex_vertices[4].u, 0.5f);
    EXPECT_EQ(mesh->tex_vertices[4].v, 0.25f);
}

TEST(MeshReader, LoadsEveryChunkWhateverTheOrder)
{
    const std::vector<Bytes> chunks = chunks_of(sample_model());
    MeshPtr written_order = load_bytes(join(chunks));
    expect_sample(written_order.get());
    // The in-place lists point into the file block.
    EXPECT_GE(reinterpret_cast<unsigned char *>(written_order->faces), written_order->file_data);

    expect_sample(load_bytes(join(chunks, {CVTX, TVTXLIST, TVTXNUM, TVFCLIST, TVFCNUM, NMLIST, FACELIST, FACENUM,
                                           VTXLIST, VTXNUM}))
                      .get());
    expect_sample(load_bytes(join(chunks, {TVFCLIST, NMLIST, VTXLIST, CVTX, FACENUM, TVTXNUM, VTXNUM, TVTXLIST,
                                           FACELIST, TVFCNUM}))
                      .get());
}

TEST(MeshReader, BytesOutsideChunksAndUnknownTagsChangeNothing)
{
    const std::vector<Bytes> chunks = chunks_of(sample_model());
    Bytes junk = {'j', 'u', 'n', 'k', 'U', 'N', 'K', 'N', 'O', 'W', 'N', '>', 1, 2, 3, 4};
    Bytes file = junk;
    for (const Bytes &c : chunks) {
        file.insert(file.end(), c.begin(), c.end());
        file.insert(file.end(), junk.begin(), junk.begin() + 4);
    }
    file.insert(file.end(), junk.begin(), junk.end() - 1); // ends off the 4-byte grid
    expect_sample(load_bytes(file).get());
}

TEST(MeshReader, RequiredChunksAloneLoadWithoutTextureOrColour)
{
    MeshPtr mesh = load_bytes(join(chunks_of(sample_model()), {VTXNUM, VTXLIST, FACENUM, FACELIST, NMLIST}));
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->vertex_count, 4);
    EXPECT_EQ(mesh->face_count, 4);
    EXPECT_EQ(mesh->tex_face_count, 0);
    EXPECT_EQ(mesh->tex_faces, nullptr);
    EXPECT_EQ(mesh->tex_vertex_count, 0);
    EXPECT_EQ(mesh->tex_vertices, nullptr);
    EXPECT_EQ(mesh->colours, nullptr);
}

TEST(MeshReader, EachRequiredChunkIsNeeded)
{
    const std::vector<Bytes> chunks = chunks_of(sample_model());
    for (int missing : {VTXNUM, VTXLIST, FACENUM, FACELIST, NMLIST}) {
        std::vector<int> order;
        for (int c = 0; c < CHUNKS; c++) {
            if (c != missing)
                order.push_back(c);
        }
        EXPECT_EQ(load_bytes(join(chunks, order)), nullptr) << "without chunk " << missing;
    }
    EXPECT_EQ(load_bytes({}), nullptr);
    EXPECT_EQ(MeshPtr(mesh_load("pak/no such mesh.dat")), nullptr);
    EXPECT_EQ(MeshPtr(mesh_load("pak")), nullptr); // a directory
}

TEST(MeshReader, ListsAreLookedForOnlyAfterTheirCount)
{
    const std::vector<Bytes> chunks = chunks_of(sample_model());
    // A texture-vertex list without its count is ignored, and with it the
    // texture faces that index it.
    MeshPtr mesh = load_bytes(join(chunks, {VTXNUM, VTXLIST, FACENUM, FACELIST, NMLIST, TVFCNUM, TVFCLIST, TVTXLIST}));
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->tex_vertices, nullptr);
    EXPECT_EQ(mesh->tex_vertex_count, 0);
    EXPECT_EQ(mesh->tex_faces, nullptr);

    // A count without its list is kept; the list stays absent.
    mesh = load_bytes(join(chunks, {VTXNUM, VTXLIST, FACENUM, FACELIST, NMLIST, TVFCNUM, TVTXNUM, TVTXLIST}));
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->tex_face_count, 4);
    EXPECT_EQ(mesh->tex_faces, nullptr);
    EXPECT_NE(mesh->tex_vertices, nullptr);
}

TEST(MeshReader, OnlyTagsOnTheFourByteGridAreFound)
{
    std::vector<Bytes> chunks = chunks_of(sample_model());
    // Two stray bytes in front push every tag off the grid.
    Bytes shifted = {0, 0};
    Bytes all = join(chunks);
    shifted.insert(shifted.end(), all.begin(), all.end());
    EXPECT_EQ(load_bytes(shifted), nullptr);

    // Off the grid, an optional chunk is simply not there.
    Bytes file = join(chunks, {VTXNUM, VTXLIST, FACENUM, FACELIST, NMLIST, TVFCNUM, TVFCLIST, TVTXNUM, TVTXLIST});
    file.push_back(0);
    file.insert(file.end(), chunks[CVTX].begin(), chunks[CVTX].end());
    MeshPtr mesh = load_bytes(file);
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->colours, nullptr);
    EXPECT_NE(mesh->tex_faces, nullptr);
}

TEST(MeshReader, TheLowestOffsetOfATagWins)
{
    std::vector<Bytes> chunks = chunks_of(sample_model());
    // A second vertex count of 3 further on is ignored...
    Bytes file = join(chunks);
    Bytes later = count_chunk("VTXNUM->", 3);
    file.insert(file.end(), later.begin(), later.end());
    MeshPtr mesh = load_bytes(file);
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->vertex_count, 4);

    // ...but in front it is the count, and the faces that use vertex 3 no
    // longer fit: the file is rejected.
    file = later;
    Bytes rest = join(chunks);
    file.insert(file.end(), rest.begin(), rest.end());
    EXPECT_EQ(load_bytes(file), nullptr);

    // Vertex data that spells a tag is taken for that tag. Vertex 1 of this
    // model reads "CVTX--->", so colours point into the vertex list.
    MeshModel model = sample_model();
    std::memcpy(&model.vertices[1], "CVTX--->", 8);
    model.colours.clear();
    mesh = load_bytes(join(chunks_of(model)));
    ASSERT_NE(mesh, nullptr);
    ASSERT_NE(mesh->colours, nullptr);
    EXPECT_EQ(reinterpret_cast<unsigned char *>(mesh->colours), reinterpret_cast<unsigned char *>(mesh->file_data) + 8 + 4 + 8 + 12 + 8);
}

TEST(MeshReader, ATagEndingTheFileHasEmptyData)
{
    // No faces: both empty lists may end the file.
    MeshModel model;
    model.vertices = {{1, 2, 3}};
    std::vector<Bytes> chunks = chunks_of(model);
    ASSERT_EQ(chunks.size(), 5u);
    MeshPtr mesh = load_bytes(join(chunks, {VTXNUM, VTXLIST, FACENUM, FACELIST, NMLIST}));
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->face_count, 0);
    EXPECT_EQ(mesh->vertices[0].z, 3.0f);

    // A count needs four bytes: a count tag at the very end, or with two bytes
    // of data, makes a file with no count at all.
    Bytes cut = join(chunks, {VTXLIST, FACENUM, FACELIST, NMLIST, VTXNUM});
    cut.resize(cut.size() - 4);
    EXPECT_EQ(load_bytes(cut), nullptr);
    cut.resize(cut.size() + 2);
    EXPECT_EQ(load_bytes(cut), nullptr);
}

} // namespace
