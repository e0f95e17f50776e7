// glide.h - Lumivex's own Glide 2.x interface.
//
// The calls and records of the public Glide 2.x API that Lumivex draws
// through, and the constants that the program, this library, its tests and
// tools name, under their SDK names and values, written from the API's
// documentation. The record layouts and the calling convention (__stdcall on
// 32-bit Windows) are those of the public API, so that a program built against
// this header can also run on another glide2x.dll.
//
// Our software implementation (platform/glide) accepts exactly what the show
// passes. Values it refuses harmlessly (the call then does nothing):
//   - grSstWinOpen: any resolution but GR_RESOLUTION_640x480, origin lower
//     left, more than 2 colour buffers or more than 1 auxiliary buffer
//     (it returns FXFALSE);
//   - grDepthBufferMode: the z-buffer modes (only W-buffering and disable);
//   - grRenderBuffer: GR_BUFFER_AUXBUFFER;
//   - guColorCombineFunction: every function but GR_COLORCOMBINE_ZERO,
//     _CCRGB, _ITRGB, _DECAL_TEXTURE and _TEXTURE_TIMES_ITRGB;
//   - guTexCombineFunction: every function but GR_TEXTURECOMBINE_DECAL,
//     and any texture unit but GR_TMU0 (so also grTexClampMode);
//   - guTexAllocateMemory: any texture unit but GR_TMU0, a width or height
//     that is not that of the largest level, and a mip-map that does not fit
//     the 2 MB of texture memory (it returns GR_NULL_MIPMAP_HANDLE); the
//     odd/even mask and the trilinear flag are ignored;
//   - guAlphaSource: kept, but alpha is never written or blended;
//   - grHints: every hint type but GR_HINT_STWHINT.
// Drawing, clearing and swapping do nothing before grSstWinOpen succeeded
// or after grSstWinClose; grSstControl returns FXTRUE in any state. A
// texture handle from before guTexMemReset selects no texture (white).
#ifndef LUMIVEX_GLIDE_H
#define LUMIVEX_GLIDE_H

#ifdef __cplusplus
extern "C" {
#endif

/* ---- basic types ---- */
typedef unsigned char FxU8;
typedef unsigned short FxU16;
typedef short FxI16;
#if defined(_WIN32)
typedef unsigned long FxU32; /* 32 bits on every Windows target */
typedef long FxI32;
#else
typedef unsigned int FxU32;
typedef int FxI32;
#endif
typedef int FxBool;

#define FXTRUE 1
#define FXFALSE 0

#if defined(_WIN32) && !defined(_WIN64)
#define FX_CALL __stdcall
#else
#define FX_CALL
#endif

#if defined(_WIN32) && defined(LUMIVEX_BUILDING_GLIDE_DLL)
#define FX_ENTRY __declspec(dllexport)
#elif defined(_WIN32)
#define FX_ENTRY __declspec(dllimport)
#else
#define FX_ENTRY
#endif

typedef FxU32 GrColor_t;
typedef FxU8 GrAlpha_t;
typedef FxU32 GrMipMapId_t;

typedef FxI32 GrChipID_t;
typedef FxI32 GrScreenResolution_t;
typedef FxI32 GrScreenRefresh_t;
typedef FxI32 GrColorFormat_t;
typedef FxI32 GrOriginLocation_t;
typedef FxI32 GrDepthBufferMode_t;
typedef FxI32 GrCmpFnc_t;
typedef FxI32 GrBuffer_t;
typedef FxI32 GrLOD_t;
typedef FxI32 GrAspectRatio_t;
typedef FxI32 GrTextureFormat_t;
typedef FxI32 GrMipMapMode_t;
typedef FxI32 GrTextureClampMode_t;
typedef FxI32 GrTextureFilterMode_t;
typedef FxI32 GrColorCombineFnc_t;
typedef FxI32 GrTextureCombineFnc_t;
typedef FxI32 GrAlphaSource_t;
typedef FxI32 GrHint_t;
typedef FxI32 GrSstType;

/* ---- constants ---- */
#define GLIDE_NUM_TMU 3
#define MAX_NUM_SST 4

#define GR_TMU0 0

#define GR_SSTTYPE_VOODOO 0

#define GR_RESOLUTION_640x480 7
#define GR_RESOLUTION_800x600 8

#define GR_REFRESH_60Hz 0

#define GR_COLORFORMAT_ARGB 0
#define GR_COLORFORMAT_ABGR 1
#define GR_COLORFORMAT_RGBA 2
#define GR_COLORFORMAT_BGRA 3

#define GR_ORIGIN_UPPER_LEFT 0
#define GR_ORIGIN_LOWER_LEFT 1

#define GR_CONTROL_ACTIVATE 1
#define GR_CONTROL_DEACTIVATE 2
#define GR_CONTROL_MOVE 4

#define GR_DEPTHBUFFER_DISABLE 0
#define GR_DEPTHBUFFER_WBUFFER 2

#define GR_CMP_NEVER 0
#define GR_CMP_LESS 1
#define GR_CMP_EQUAL 2
#define GR_CMP_LEQUAL 3
#define GR_CMP_GREATER 4
#define GR_CMP_NOTEQUAL 5
#define GR_CMP_GEQUAL 6
#define GR_CMP_ALWAYS 7

#define GR_BUFFER_FRONTBUFFER 0
#define GR_BUFFER_BACKBUFFER 1
#define GR_BUFFER_AUXBUFFER 2

#define GR_WDEPTHVALUE_FARTHEST 0xFFFF

#define GR_LOD_256 0
#define GR_LOD_128 1
#define GR_LOD_64 2
#define GR_LOD_32 3
#define GR_LOD_16 4
#define GR_LOD_8 5
#define GR_LOD_4 6
#define GR_LOD_2 7
#define GR_LOD_1 8

#define GR_ASPECT_8x1 0
#define GR_ASPECT_4x1 1
#define GR_ASPECT_2x1 2
#define GR_ASPECT_1x1 3
#define GR_ASPECT_1x2 4
#define GR_ASPECT_1x4 5
#define GR_ASPECT_1x8 6

#define GR_TEXFMT_8BIT 0
#define GR_TEXFMT_RGB_332 GR_TEXFMT_8BIT
#define GR_TEXFMT_YIQ_422 1
#define GR_TEXFMT_ALPHA_8 2
#define GR_TEXFMT_INTENSITY_8 3
#define GR_TEXFMT_ALPHA_INTENSITY_44 4
#define GR_TEXFMT_P_8 5
#define GR_TEXFMT_RSVD0 6
#define GR_TEXFMT_RSVD1 7
#define GR_TEXFMT_16BIT 8
#define GR_TEXFMT_ARGB_8332 GR_TEXFMT_16BIT
#define GR_TEXFMT_AYIQ_8422 9
#define GR_TEXFMT_RGB_565 10
#define GR_TEXFMT_ARGB_1555 11
#define GR_TEXFMT_ARGB_4444 12
#define GR_TEXFMT_ALPHA_INTENSITY_88 13
#define GR_TEXFMT_AP_88 14
#define GR_TEXFMT_RSVD2 15

#define GR_MIPMAPLEVELMASK_BOTH 3

#define GR_MIPMAP_DISABLE 0
#define GR_MIPMAP_NEAREST 1
#define GR_MIPMAP_NEAREST_DITHER 2

#define GR_TEXTURECLAMP_WRAP 0
#define GR_TEXTURECLAMP_CLAMP 1

#define GR_TEXTUREFILTER_POINT_SAMPLED 0
#define GR_TEXTUREFILTER_BILINEAR 1

#define GR_NULL_MIPMAP_HANDLE ((GrMipMapId_t)-1)

#define GR_COLORCOMBINE_ZERO 0
#define GR_COLORCOMBINE_CCRGB 1
#define GR_COLORCOMBINE_ITRGB 2
#define GR_COLORCOMBINE_DECAL_TEXTURE 4
#define GR_COLORCOMBINE_TEXTURE_TIMES_ITRGB 6
#define GR_COLORCOMBINE_TEXTURE_ADD_ITRGB 11

#define GR_TEXTURECOMBINE_DECAL 1

#define GR_ALPHASOURCE_TEXTURE_ALPHA 2

#define GR_HINT_STWHINT 0

#define GR_STWHINT_W_DIFF_TMU0 0x02

/* ---- records ---- */
typedef struct {
    float sow; /* s / w */
    float tow; /* t / w */
    float oow; /* 1 / w, this texture unit's own */
} GrTmuVertex;

typedef struct {
    float x, y, z; /* screen position; x and y in pixels, 1/16 pixel precise */
    float r, g, b; /* 0 to 255 */
    float ooz;     /* 65535 / z, for z-buffering */
    float a;       /* 0 to 255 */
    float oow;     /* 1 / w, for w-buffering and perspective */
    GrTmuVertex tmuvtx[GLIDE_NUM_TMU];
} GrVertex;

typedef struct {
    int tmuRev;
    int tmuRam; /* megabytes */
} GrTMUConfig_t;

typedef struct {
    int fbRam; /* megabytes */
    int fbiRev;
    int nTexelfx;
    FxBool sliDetect;
    GrTMUConfig_t tmuConfig[GLIDE_NUM_TMU];
} GrVoodooConfig_t;

typedef struct {
    int fbRam;
    int nTexelfx;
    GrTMUConfig_t tmuConfig;
} GrSst96Config_t;

typedef struct {
    int rev;
} GrAT3DConfig_t;

typedef GrVoodooConfig_t GrVoodoo2Config_t;

typedef struct {
    int num_sst;
    struct {
        GrSstType type;
        union {
            GrVoodooConfig_t VoodooConfig;
            GrSst96Config_t SST96Config;
            GrAT3DConfig_t AT3DConfig;
            GrVoodoo2Config_t Voodoo2Config;
        } sstBoard;
    } SSTs[MAX_NUM_SST];
} GrHwConfiguration;

typedef struct {
    FxU8 yRGB[16];
    FxI16 iRGB[4][3];
    FxI16 qRGB[4][3];
    FxU32 packed_data[12];
} GuNccTable;

typedef struct {
    FxU32 data[256]; /* 0xAARRGGBB */
} GuTexPalette;

typedef union {
    GuNccTable nccTable;
    GuTexPalette palette;
} GuTexTable;

typedef struct {
    FxU32 width, height;
    int small_lod, large_lod;
    GrAspectRatio_t aspect_ratio;
    GrTextureFormat_t format;
} Gu3dfHeader;

typedef struct {
    Gu3dfHeader header;
    GuTexTable table;
    void *data;
    FxU32 mem_required; /* bytes of texels, all levels from large_lod to small_lod */
} Gu3dfInfo;

/* ---- device ---- */
FX_ENTRY void FX_CALL grGlideInit(void);
FX_ENTRY FxBool FX_CALL grSstQueryHardware(GrHwConfiguration *hwconfig);
FX_ENTRY void FX_CALL grSstSelect(int which_sst);
FX_ENTRY FxBool FX_CALL grSstWinOpen(FxU32 hWnd, GrScreenResolution_t screen_resolution,
                                     GrScreenRefresh_t refresh_rate, GrColorFormat_t color_format,
                                     GrOriginLocation_t origin_location, int nColBuffers, int nAuxBuffers);
FX_ENTRY void FX_CALL grSstWinClose(void);
FX_ENTRY void FX_CALL grGlideShutdown(void);
FX_ENTRY FxBool FX_CALL grSstControl(FxU32 code);
FX_ENTRY void FX_CALL grSstIdle(void);

/* ---- buffers and depth ---- */
FX_ENTRY void FX_CALL grRenderBuffer(GrBuffer_t buffer);
FX_ENTRY void FX_CALL grClipWindow(FxU32 minx, FxU32 miny, FxU32 maxx, FxU32 maxy);
FX_ENTRY void FX_CALL grBufferClear(GrColor_t color, GrAlpha_t alpha, FxU16 depth);
FX_ENTRY void FX_CALL grBufferSwap(int swap_interval);
FX_ENTRY void FX_CALL grDepthBufferMode(GrDepthBufferMode_t mode);
FX_ENTRY void FX_CALL grDepthBufferFunction(GrCmpFnc_t function);
FX_ENTRY void FX_CALL grDepthMask(FxBool mask);

/* ---- combine state ---- */
FX_ENTRY void FX_CALL guColorCombineFunction(GrColorCombineFnc_t fnc);
FX_ENTRY void FX_CALL guTexCombineFunction(GrChipID_t tmu, GrTextureCombineFnc_t fnc);
FX_ENTRY void FX_CALL guAlphaSource(GrAlphaSource_t mode);
FX_ENTRY void FX_CALL grConstantColorValue(GrColor_t value);
FX_ENTRY void FX_CALL grHints(GrHint_t hintType, FxU32 hintMask);

/* ---- textures ---- */
FX_ENTRY FxBool FX_CALL gu3dfGetInfo(const char *filename, Gu3dfInfo *info);
FX_ENTRY FxBool FX_CALL gu3dfLoad(const char *filename, Gu3dfInfo *data);
FX_ENTRY void FX_CALL guTexMemReset(void);
FX_ENTRY GrMipMapId_t FX_CALL guTexAllocateMemory(
    GrChipID_t tmu, FxU8 odd_even_mask, int width, int height, GrTextureFormat_t fmt, GrMipMapMode_t mm_mode,
    GrLOD_t smallest_lod, GrLOD_t largest_lod, GrAspectRatio_t aspect, GrTextureClampMode_t s_clamp_mode,
    GrTextureClampMode_t t_clamp_mode, GrTextureFilterMode_t minfilter_mode,
    GrTextureFilterMode_t magfilter_mode, float lod_bias, FxBool trilinear);
FX_ENTRY void FX_CALL guTexDownloadMipMap(GrMipMapId_t mmid, const void *src, const GuNccTable *ncc_table);
FX_ENTRY void FX_CALL guTexSource(GrMipMapId_t mmid);
FX_ENTRY void FX_CALL grTexClampMode(GrChipID_t tmu, GrTextureClampMode_t s_clampmode,
                                     GrTextureClampMode_t t_clampmode);

/* ---- drawing ---- */
FX_ENTRY void FX_CALL guDrawTriangleWithClip(const GrVertex *a, const GrVertex *b, const GrVertex *c);

#ifdef __cplusplus
}
#endif

#endif
