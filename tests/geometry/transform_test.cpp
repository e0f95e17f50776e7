// Projection: the values triangle setup reads.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/matrix.h"
#include "geometry/transform.h"

namespace {

TEST(Projection, ScreenFractionsFromXAndYOverZ)
{
    const Vertex4 eye[] = {{1, 2, 4, 1}, {0, 0, 7, 1}, {3, 0, 3, 1}, {-3, 0, 3, 1}, {0, 0, 0, 1}};
    ProjectedVertex p[6];
    p[5].sx = 9.0f;
    project_vertices(p, eye, 5);
    EXPECT_EQ(p[0].sx, 0.625f);
    EXPECT_EQ(p[0].sy, 0.75f);
    EXPECT_EQ(p[0].sz, 1.0f);
    EXPECT_EQ(p[0].z, 4.0f);
    EXPECT_EQ(p[1].sx, 0.5f); // on the axis: the centre of the screen
    EXPECT_EQ(p[1].sy, 0.5f);
    EXPECT_EQ(p[2].sx, 1.0f); // x = z: the right edge
    EXPECT_EQ(p[3].sx, 0.0f); // x = -z: the left edge
    // At the viewer's depth nothing is finite; triangle setup skips the face.
    EXPECT_FALSE(std::isfinite(p[4].sx));
    EXPECT_FALSE(std::isfinite(p[4].sz));
    EXPECT_EQ(p[5].sx, 9.0f);
}

} // namespace
