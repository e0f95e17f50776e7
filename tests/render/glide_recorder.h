// glide_recorder.h - a recording stand-in for the three Glide calls the draw
// modes make, so tests can look at every triangle exactly as it was passed.
#ifndef LUMIVEX_TESTS_GLIDE_RECORDER_H
#define LUMIVEX_TESTS_GLIDE_RECORDER_H

#include <glide.h>

#include <string>
#include <vector>

struct GlideCall {
    std::string name;  // "guDrawTriangleWithClip", "grConstantColorValue" or "guTexSource"
    FxU32 value;       // the colour or the handle
    GrVertex vertex[3];
};

extern std::vector<GlideCall> glide_calls;

#endif
