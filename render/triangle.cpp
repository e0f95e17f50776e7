// triangle.cpp - triangle setup. The accelerator takes screen coordinates in 12.4 fixed
// point; snapping them to sixteenths here makes every vertex land where the
// hardware would put it, with two float additions instead of a conversion.
#include "render/triangle.h"

const float SNAP_OFFSET = 786432.0f;

float snap(float v)
{
    // Both sums must be rounded to float: kept wider, v would come back as it was.
    volatile float shifted = v + SNAP_OFFSET;
    volatile float snapped = shifted - SNAP_OFFSET;
    return snapped;
}

void setup_triangle(const Face &face, const Vertex4 *eye, const ProjectedVertex *projected, GrVertex *records,
                    const CornerValues &corners)
{
    // Only faces wholly in front of the viewer: no near-plane clipping, and a
    // NaN depth fails the test as well. No back-face test either.
    for (int k = 0; k < 3; ++k)
        if (!(eye[face.v[k]].z > 0.0f))
            return;

    for (int k = 0; k < 3; ++k) {
        int32_t n = face.v[k];
        GrVertex &record = records[k];
        float x = projected[n].sx * (float)SCREEN_WIDTH;
        float y = projected[n].sy * (float)SCREEN_HEIGHT;
        record.x = snap(x);
        record.y = snap(y);
        // The device W-buffers on this 1/w; it falls as the vertex recedes.
        record.oow = 1.0f / (eye[n].z + 1.0f);
        record.tmuvtx[0].sow = corners.sow[k];
        record.tmuvtx[0].tow = corners.tow[k];
        record.tmuvtx[0].oow = corners.tmu_oow;
        if (corners.coloured) {
            record.r = corners.r[k];
            record.g = corners.g[k];
            record.b = corners.b[k];
        }
    }
    guDrawTriangleWithClip(&records[0], &records[1], &records[2]);
}
