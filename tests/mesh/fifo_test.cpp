// A FIFO where a mesh file belongs: opening one for reading waits for a
// writer, so the reader must refuse it at once rather than hang the show.
#include <gtest/gtest.h>

#include <stdio.h>
#include <sys/stat.h>

#include <string>

#include "mesh/mesh.h"

TEST(MeshFifo, IsRefusedWithoutWaiting)
{
    std::string fifo = std::string(LUMIVEX_BINARY_DIR) + "/mesh_test_fifo.dat";
    remove(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(mesh_load(fifo.c_str()), nullptr);
    remove(fifo.c_str());
}
