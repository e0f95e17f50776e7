#include "glide_recorder.h"

std::vector<GlideCall> glide_calls;

extern "C" {

void FX_CALL guDrawTriangleWithClip(const GrVertex *a, const GrVertex *b, const GrVertex *c)
{
    glide_calls.push_back({"guDrawTriangleWithClip", 0, {*a, *b, *c}});
}

void FX_CALL grConstantColorValue(GrColor_t value)
{
    glide_calls.push_back({"grConstantColorValue", value, {}});
}

void FX_CALL guTexSource(GrMipMapId_t mmid)
{
    glide_calls.push_back({"guTexSource", mmid, {}});
}
}
