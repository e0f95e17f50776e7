// scenes.h - frames like the show's, drawn through the Glide API: a textured,
// vertex-coloured torus close to the viewer, four nested textured cubes, and a
// textured logo-like plate in perspective. Geometry is made and projected
// beforehand as the show does (snapped to 1/16 pixel, oow = 1/(z+1)), so that
// drawing a frame costs only the library's work.
#ifndef LUMIVEX_BENCH_GLIDE_SCENES_H
#define LUMIVEX_BENCH_GLIDE_SCENES_H

#include <glide.h>

#include <vector>

struct Scene {
    std::vector<std::vector<GrVertex>> frames;  // three records per triangle
    GrColorCombineFnc_t combine;
    bool stw_hint;
};

enum SceneKind { SCENE_TORUS, SCENE_CUBES, SCENE_LOGO };

// Frames of a scene at evenly spread moments of its motion.
Scene make_scene(SceneKind kind, int frame_count);

// Downloads the 256x256 RGB565 test texture with its whole mip chain and
// selects it; sets the scene's combine state.
void prepare_scene(const Scene &scene);

// Clears and draws frame i and swaps.
void draw_scene_frame(const Scene &scene, int i);

#endif
