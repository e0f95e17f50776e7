// transform.h - vertex transform by current_matrix and perspective projection.
// Neither clips nor culls; triangle setup skips faces not wholly in front.
#ifndef LUMIVEX_TRANSFORM_H
#define LUMIVEX_TRANSFORM_H

#include "mesh/mesh.h"

// sx, sy run from 0 to 1 across the screen for x/z, y/z from -1 to 1;
// sz = z / z; z is the eye-space depth.
// All four fields are the projection's record; triangle setup reads only
// some of them, but the record keeps its layout and every field is written.
// The screen that sx, sy are scaled to: the 640x480 mode the device opens.
const int SCREEN_WIDTH = 640;
const int SCREEN_HEIGHT = 480;

struct ProjectedVertex {
    float sx, sy, sz, z;
};

void transform_vertices(Vertex4 *out, const Vertex4 *in, int32_t count);
void project_vertices(ProjectedVertex *out, const Vertex4 *in, int32_t count);

#endif
