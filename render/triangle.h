// triangle.h - triangle setup: one face of a transformed and projected mesh
// becomes three screen-space GrVertex records and one guDrawTriangleWithClip.
#ifndef LUMIVEX_TRIANGLE_H
#define LUMIVEX_TRIANGLE_H

#include <glide.h>

#include "geometry/transform.h"
#include "mesh/mesh.h"

// 3 x 2^18: the floats between 2^19 and 2^20 are exactly the sixteenths.
extern const float SNAP_OFFSET;

// What a draw mode gives each corner of a face, in the face's order: texture
// s and t, the texture unit's 1/w, and, when coloured, r, g and b (0 to 255).
struct CornerValues {
    float sow[3];
    float tow[3];
    float tmu_oow;
    bool coloured;
    float r[3], g[3], b[3];
};

// v to the nearest sixteenth (ties to the even one) for |v| < 2^18; coarser
// beyond. Two float roundings, no conversion to an integer.
float snap(float v);

// Draws the face unless one of its vertices has an eye-space z that is not
// greater than 0; fills records[0..2] from the face's first, second and third
// vertex. Fields the corners do not give keep what the records held.
void setup_triangle(const Face &face, const Vertex4 *eye, const ProjectedVertex *projected, GrVertex *records,
                    const CornerValues &corners);

#endif
