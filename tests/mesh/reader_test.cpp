// The reader on well-formed files and the placement rules: any order, tags
// only on the 4-byte grid, other bytes ignored; files that are not there or
// not files; normalising where there is nothing to scale by.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <cstdio>

#include "mesh_files.h"

namespace {

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

TEST(MeshReader, ChunksLoadInAnyOrderAmongOtherBytes)
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
}

TEST(MeshReader, RequiredChunksMustBeFoundOnTheGrid)
{
    const std::vector<Bytes> chunks = chunks_of(sample_model());
    for (int missing = VTXNUM; missing <= NMLIST; missing++) {
        std::vector<int> order;
        for (int c = 0; c < CHUNKS; c++) {
            if (c != missing)
                order.push_back(c);
        }
        EXPECT_EQ(load_bytes(join(chunks, order)), nullptr) << "without chunk " << missing;
    }
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
    Bytes file =
        join(chunks, {VTXNUM, VTXLIST, FACENUM, FACELIST, NMLIST, TVFCNUM, TVFCLIST, TVTXNUM, TVTXLIST});
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

}  // namespace
