// llvmpipe.cpp - compare_llvmpipe, the other side of the side-by-side benchmark (frames.h):
// the same torus frames through Mesa's llvmpipe (OSMesa) as a program of the
// time would have sent them to OpenGL. The show's geometry and triangle setup
// make each frame's vertices untimed; a lap is the clear, the triangles as one
// vertex array, and glFinish. LP_NUM_THREADS says how many threads rasterize:
// 0 draws on the calling thread.
//
// The state is the torus's on the board: an RGB565 colour buffer, a 16-bit
// depth buffer tested LESS, the torus texture as an RGB565 mip-map filtered
// bilinearly from the nearest level, times the vertex colours. The texture's
// 1/w is 1 in every corner, so the show's texture coordinates run straight
// across the screen: an orthographic projection of screen positions does the
// same. Depth is 1 - 1/w, which runs straight across the screen too and keeps
// the W-buffer's order.
#include <math.h>
#include <stdio.h>

#include <vector>

// Ours before OpenGL's: its APIENTRY gives way to one defined already, ours
// does not.
#include "device/glidemain.h"
#include "frames.h"
#include "geometry/transform.h"
#include "render/draw_modes.h"
#include "show/effects.h"

#include <GL/osmesa.h>
#include <lumivex_texels.h>

#ifndef GL_RGB565
#define GL_RGB565 0x8D62
#endif

struct GlVertex {
    float x, y, z;
    float r, g, b;
    float s, t;
};

static Vertex4 eye[MAX_VERTICES];
static ProjectedVertex projected[MAX_VERTICES];

// Frame i's triangles, as the torus effect makes them, into vertices.
static void make_frame(const Mesh *torus, int32_t i, std::vector<GrVertex> &records,
                       std::vector<GlVertex> &out)
{
    model_matrix(torus_angles(i), TORUS_POSITION);
    transform_vertices(eye, torus->vertices, torus->vertex_count);
    project_vertices(projected, eye, torus->vertex_count);
    // A face that setup skips leaves its records as they were: NaN.
    records.assign(3 * (size_t)torus->face_count, GrVertex{NAN, NAN, 0, 0, 0, 0, 0, 0, 0, {}});
    CornerValues corners;
    for (int32_t f = 0; f < torus->face_count; ++f) {
        torus_corners(torus, f, corners);
        setup_triangle(torus->faces[f], eye, projected, &records[3 * (size_t)f], corners);
    }
    out.clear();
    for (const GrVertex &v : records)
        if (!isnan(v.x))
            out.push_back({v.x, v.y, v.oow - 1.0f, v.r / 255.0f, v.g / 255.0f, v.b / 255.0f,
                           v.tmuvtx[0].sow / 256.0f, v.tmuvtx[0].tow / 256.0f});
}

// The torus's 3DF mip-map, each level decoded and stored as RGB565.
static bool upload_texture()
{
    Gu3dfInfo *info = voo_load_3df("pak//torus.3df");
    if (!info) {
        fprintf(stderr, "compare: cannot load pak//torus.3df\n");
        return false;
    }
    const unsigned char *level = (const unsigned char *)info->data;
    for (int lod = info->header.large_lod; lod <= info->header.small_lod; ++lod) {
        int w = 0, h = 0;
        lod_size(lod, info->header.aspect_ratio, &w, &h);
        std::vector<uint32_t> argb((size_t)w * h);
        decode_texels(info->header.format, level, argb.size(), &info->table, argb.data());
        std::vector<uint16_t> rgb565(argb.size());
        for (size_t k = 0; k < argb.size(); ++k)
            rgb565[k] =
                (uint16_t)((argb[k] >> 8 & 0xF800) | (argb[k] >> 5 & 0x07E0) | (argb[k] >> 3 & 0x001F));
        glTexImage2D(GL_TEXTURE_2D, lod - info->header.large_lod, GL_RGB565, w, h, 0, GL_RGB,
                     GL_UNSIGNED_SHORT_5_6_5, rgb565.data());
        level += argb.size() * texel_size(info->header.format);
    }
    return true;
}

int main(int argc, char **argv)
{
    CompareRun run;
    if (!parse_run(argc, argv, run))
        return 2;
    Mesh *torus = load_torus();
    if (!torus)
        return 1;
    std::vector<uint16_t> colour(640 * 480);
    OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGB_565, 16, 0, 0, nullptr);
    if (!context || !OSMesaMakeCurrent(context, colour.data(), GL_UNSIGNED_SHORT_5_6_5, 640, 480)) {
        fprintf(stderr, "compare: OSMesa cannot make a 640x480 RGB565 context\n");
        return 1;
    }
    glMatrixMode(GL_PROJECTION);
    glOrtho(0, 640, 480, 0, 0, 1);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    if (!upload_texture())
        return 1;
    // What llvmpipe made of the state asked for.
    GLint red, green, blue, depth, texture_red, texture_green, texture_blue;
    glGetIntegerv(GL_RED_BITS, &red);
    glGetIntegerv(GL_GREEN_BITS, &green);
    glGetIntegerv(GL_BLUE_BITS, &blue);
    glGetIntegerv(GL_DEPTH_BITS, &depth);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_RED_SIZE, &texture_red);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_GREEN_SIZE, &texture_green);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_BLUE_SIZE, &texture_blue);
    printf("llvmpipe: %s; colour %d/%d/%d bits, depth %d bits, texture %d/%d/%d bits\n",
           (const char *)glGetString(GL_RENDERER), red, green, blue, depth, texture_red, texture_green,
           texture_blue);

    std::vector<GrVertex> records;
    std::vector<GlVertex> vertices;
    vertices.reserve(3 * (size_t)torus->face_count);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(GlVertex), &vertices.data()->x);
    glColorPointer(3, GL_FLOAT, sizeof(GlVertex), &vertices.data()->r);
    glTexCoordPointer(2, GL_FLOAT, sizeof(GlVertex), &vertices.data()->s);
    for (int32_t i = 0; i < WARM_UP + run.frames; ++i) {
        make_frame(torus, i, records, vertices);
        start_laps(run);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDrawArrays(GL_TRIANGLES, 0, (GLsizei)vertices.size());
        glFinish();
        lap(run);
    }
    int status = finish_run(run, colour.data(), true);
    OSMesaDestroyContext(context);
    return status;
}
