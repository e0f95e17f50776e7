// reader_test.cpp - the reader on well-formed files and the placement rules:
// any order, tags only on the 4-byte grid, other bytes ignored; files that
// are not there or not files; normalising where there is nothing to scale by.
// Malformed files: bad required data rejects the file; a bad optional chunk
// leaves its part absent. Whatever loads keeps the draw modes inside lists.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <cstdio>

#include "mesh_files.h"

namespace {

// Every chunk in the order encode_mesh writes them but one.
std::vector<int> all_but(int skip)
{
    std::vector<int> order;
    for (int c = 0; c < CHUNKS; c++)
        if (c != skip)
            order.push_back(c);
    return order;
}

void expect_sample(const Mesh *m)
{
    ASSERT_NE(m, nullptr);
    // Counts, then a value from each list; vertices and normals both carry w = 1.
    EXPECT_EQ((std::vector<float>{float(m->vertex_count), float(m->face_count), float(m->tex_vertex_count),
                                  m->vertices[3].z, m->normals[0].z, m->vertices[3].w + m->normals[0].w,
                                  float(m->faces[3].v[2]), float(m->tex_faces[3].t[0]), m->tex_vertices[4].v,
                                  m->colours[3].green}),
              (std::vector<float>{4, 4, 5, 1.0f, -1.0f, 2.0f, 3, 4, 0.25f, 0.5f}));
}

TEST(MeshReader, ChunksLoadInAnyOrderAmongOtherBytesRequiredOnesOnTheGrid)
{
    const std::vector<Bytes> chunks = chunks_of(sample_model());
    expect_sample(load_bytes(join(chunks)).get());
    expect_sample(load_bytes(join(chunks, {9, 8, 7, 6, 5, 4, 3, 2, 1, 0})).get());

    // Junk and an unknown tag before, between and after the chunks; the file
    // ends off the grid.
    const Bytes junk = {'U', 'N', 'K', 'N', 'O', 'W', 'N', '>', 1, 2, 3, 4};
    Bytes file = junk;
    for (int c : {TVFCLIST, NMLIST, VTXLIST, CVTX, FACENUM, TVTXNUM, VTXNUM, TVTXLIST, FACELIST, TVFCNUM}) {
        file.insert(file.end(), chunks[c].begin(), chunks[c].end());
        file.insert(file.end(), junk.begin(), junk.begin() + 4 * (c % 3));
    }
    file.insert(file.end(), junk.begin(), junk.end() - 1);
    expect_sample(load_bytes(file).get());

    for (int missing = VTXNUM; missing <= NMLIST; missing++)
        EXPECT_EQ(load_bytes(join(chunks, all_but(missing))), nullptr) << "without chunk " << missing;
    EXPECT_EQ(load_bytes({}), nullptr);
    EXPECT_EQ(MeshPtr(mesh_load("pak/no such mesh.dat")), nullptr);
    EXPECT_EQ(MeshPtr(mesh_load("pak")), nullptr);
    // Opening a FIFO for reading waits for a writer: it is refused at once.
    std::string fifo = std::string(LUMIVEX_BINARY_DIR) + "/mesh_test_fifo.dat";
    remove(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(MeshPtr(mesh_load(fifo.c_str())), nullptr);
    remove(fifo.c_str());

    // Two stray bytes in front push every tag off the grid.
    Bytes shifted = join(chunks);
    shifted.insert(shifted.begin(), 2, 0);
    EXPECT_EQ(load_bytes(shifted), nullptr);
    // Off the grid, an optional chunk is simply not there.
    file = join(chunks, {VTXNUM, VTXLIST, FACENUM, FACELIST, NMLIST, TVFCNUM, TVFCLIST, TVTXNUM, TVTXLIST});
    file.push_back(0);
    file.insert(file.end(), chunks[CVTX].begin(), chunks[CVTX].end());
    MeshPtr mesh = load_bytes(file);
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->colours, nullptr);
    EXPECT_NE(mesh->tex_faces, nullptr);
}

TEST(MeshOperations, NormaliseWithoutAnExtentChangesNothing)
{
    Vertex4 point[2] = {{3, 4, 5, 1}, {3, 4, 5, 1}};
    Mesh mesh = {};
    mesh.vertices = point;
    EXPECT_EQ(mesh_normalise(&mesh, 100.0f), 0);  // no vertices
    mesh.vertex_count = 2;
    EXPECT_EQ(mesh_normalise(&mesh, 100.0f), 0);  // all at one point
    point[0].x = NAN;                             // no extent to scale by, rather than NaN everywhere
    EXPECT_EQ(mesh_normalise(&mesh, 100.0f), 0);
    EXPECT_EQ(point[1].x, 3.0f);
}

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
    std::vector<int> order = all_but(last);
    order.push_back(last);
    Bytes file = join(chunks, order);
    MeshPtr mesh = load_bytes(file);
    if (mesh) {
        EXPECT_EQ(draw_guarantee_violation(mesh.get(), file.size()), "");
    }
    return mesh;
}

TEST(MalformedMesh, BadRequiredDataRejectsTheFileABadOptionalChunkGoesAlone)
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
    // At most 1000 vertices, written as a number: a limit moved in the code
    // must fail here, not move the test with it.
    MeshModel model;
    model.vertices.assign(1000, {1, 2, 3});
    MeshPtr mesh = load_bytes(join(chunks_of(model)));
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->vertex_count, 1000);
    model.vertices.push_back({4, 5, 6});
    EXPECT_EQ(load_bytes(join(chunks_of(model))), nullptr);

    // Bad optional chunks leave their part absent.
    model = sample_model();
    model.tex_faces[2][1] = 5;  // one past the texture vertices
    mesh = load_checked(chunks_of(model));
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
