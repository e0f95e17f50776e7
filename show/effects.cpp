// effects.cpp - the three effects. Animation is frame-locked: each frame advances the time
// variable by one step and no clock is read, so the pace is the buffer swap's.
// Sines and cosines are taken in double and rounded to float before use.
#include "show/effects.h"

#include <math.h>

#include "device/glidemain.h"
#include "geometry/matrix.h"
#include "pump/pump.h"
#include "render/draw_modes.h"
#include "show/load_failure.h"

GrMipMapId_t effect_texture;
// The cubes' constant colour, 0x96, left in force for the torus.
static const GrColor_t CUBES_CONSTANT_COLOR = 150;

const double K = 0.008726646261111111;

static float sin_float(float t)
{
    return (float)sin((double)t);
}
static float cos_float(float t)
{
    return (float)cos((double)t);
}

// The end of every effect's frame: show it, then the quit test, and only if
// the show goes on one message. 0 when the show must stop.
static int finish_frame()
{
    voo_end_frame();
    if (quit_requests)
        return 0;
    dispatch_one_message();
    return 1;
}

int logo_setup()
{
    guColorCombineFunction(GR_COLORCOMBINE_DECAL_TEXTURE);
    guTexCombineFunction(GR_TMU0, GR_TEXTURECOMBINE_DECAL);
    guAlphaSource(GR_ALPHASOURCE_TEXTURE_ALPHA);
    grConstantColorValue(0);
    grTexClampMode(GR_TMU0, GR_TEXTURECLAMP_WRAP, GR_TEXTURECLAMP_WRAP);
    guTexMemReset();
    Gu3dfInfo *info = voo_load_3df("pak//3dfx.3df");
    if (!info)
        return load_failed("pak//3dfx.3df");
    logo_texture = voo_download_texture(info);
    return 1;
}

int cubes_setup()
{
    guTexMemReset();
    Gu3dfInfo *info = voo_load_3df("pak//cube.3df");
    if (!info)
        return load_failed("pak//cube.3df");
    effect_texture = voo_download_texture(info);
    guColorCombineFunction(GR_COLORCOMBINE_DECAL_TEXTURE);
    guTexCombineFunction(GR_TMU0, GR_TEXTURECOMBINE_DECAL);
    guAlphaSource(GR_ALPHASOURCE_TEXTURE_ALPHA);
    grHints(GR_HINT_STWHINT, GR_STWHINT_W_DIFF_TMU0);
    grTexClampMode(GR_TMU0, GR_TEXTURECLAMP_WRAP, GR_TEXTURECLAMP_WRAP);
    return 1;
}

// The logo swings two turns about X and Z and one about Y and back, while it
// crosses from right to left and recedes to z = 180 and returns.
int logo_effect()
{
    guTexMemReset();
    if (!logo_setup())
        return 0;
    float p = 0.0f;
    do {
        float s = (float)sin((double)p * K);
        float d = s * 720.0f;
        Vector3 angles = {d + 90.0f, d * 0.5f, d};
        Vector3 position = {(18.0f - p / 10.0f) * 4.0f, 20.0f, d / 4.0f};
        draw_logo(angles, position, logo_mesh);
        if (!finish_frame())
            return 0;
        p += 0.5f;
    } while (p < 360.0f);
    mesh_release(logo_mesh);
    return 1;
}

// Four nested cubes at one point; each differs from the smallest in one angle,
// where the cosine takes the sine's place.
int cubes_effect()
{
    if (!cubes_setup())
        return 0;
    const Vector3 position = {0.0f, 0.0f, 400.0f};
    int32_t i = 0;
    do {
        grConstantColorValue(CUBES_CONSTANT_COLOR);
        guTexSource(effect_texture);
        float t = (float)i / 100.0f;
        Vector3 angles = {sin_float(t) * 360.0f, sin_float(t) * 180.0f, sin_float(t) * 90.0f};
        draw_cube(cube_mesh, angles, position);
        guTexSource(effect_texture);
        angles = {cos_float(t) * 360.0f, sin_float(t) * 180.0f, sin_float(t) * 90.0f};
        draw_cube(cube_clones[0], angles, position);
        guTexSource(effect_texture);
        angles = {sin_float(t) * 360.0f, cos_float(t) * 180.0f, sin_float(t) * 90.0f};
        draw_cube(cube_clones[1], angles, position);
        guTexSource(effect_texture);
        angles = {sin_float(t) * 360.0f, sin_float(t) * 180.0f, cos_float(t) * 90.0f};
        draw_cube(cube_clones[2], angles, position);
        if (!finish_frame())
            return 0;
        ++i;
    } while (i < 720);
    return 1;
}

const Vector3 TORUS_POSITION = {0.0f, 0.0f, 40.0f};

Vector3 torus_angles(int32_t i)
{
    float t = (float)i / 100.0f;
    return {0.0f, sin_float(t) * 760.0f, cos_float(t) * 392.0f};
}

// The torus rocks about Y and Z at a fixed place, vertex colours times texture.
int torus_effect()
{
    guTexMemReset();
    Gu3dfInfo *info = voo_load_3df("pak//torus.3df");
    if (!info)
        return load_failed("pak//torus.3df");
    effect_texture = voo_download_texture(info);
    guColorCombineFunction(GR_COLORCOMBINE_TEXTURE_TIMES_ITRGB);
    guTexCombineFunction(GR_TMU0, GR_TEXTURECOMBINE_DECAL);
    guAlphaSource(GR_ALPHASOURCE_TEXTURE_ALPHA);
    grHints(GR_HINT_STWHINT, GR_STWHINT_W_DIFF_TMU0);
    grTexClampMode(GR_TMU0, GR_TEXTURECLAMP_WRAP, GR_TEXTURECLAMP_WRAP);

    int32_t i = 0;
    do {
        guTexSource(effect_texture);
        draw_torus(torus_mesh, torus_angles(i), TORUS_POSITION);
        if (!finish_frame())
            return 0;
        ++i;
    } while (i < 2160);
    mesh_release(torus_mesh);
    return 1;
}
