// public_layout.cpp - compile-time checks that the records glide.h declares
// have the public Glide 2.x layout. It matters on 32-bit Windows, where
// lumivex.exe may run on the accelerator's own glide2x.dll (and our
// glide2x.dll may serve another program): a field moved or widened would pass
// every test of ours and still hand another library garbage. The records hold
// no pointer but Gu3dfInfo's, so the same sizes hold on every target.
#include <glide.h>

#include <stddef.h>

static_assert(sizeof(FxU32) == 4 && sizeof(FxI32) == 4 && sizeof(FxBool) == 4,
              "Glide's 32-bit types must be 32 bits on every Windows target");
static_assert(sizeof(GrColor_t) == 4 && sizeof(GrMipMapId_t) == 4, "handles and colours are 32-bit");

static_assert(sizeof(GrTmuVertex) == 12, "GrTmuVertex: sow, tow, oow");
static_assert(offsetof(GrVertex, ooz) == 24 && offsetof(GrVertex, a) == 28 && offsetof(GrVertex, oow) == 32 &&
                  offsetof(GrVertex, tmuvtx) == 36,
              "GrVertex: x y z r g b ooz a oow, then the texture units");
static_assert(sizeof(GrVertex) == 72, "GrVertex: eighteen floats, three texture units");

static_assert(sizeof(GrVoodooConfig_t) == 40, "GrVoodooConfig_t: four ints and three TMU records");
static_assert(sizeof(GrHwConfiguration) == 4 + MAX_NUM_SST * 44,
              "GrHwConfiguration: a count and four boards of type and union");

static_assert(sizeof(GuNccTable) == 112, "GuNccTable: 16 Y, 4x3 I, 4x3 Q, 12 packed words");
static_assert(sizeof(GuTexTable) == 1024, "GuTexTable: the palette is the larger member");
static_assert(sizeof(Gu3dfHeader) == 24, "Gu3dfHeader: six 32-bit fields");
static_assert(offsetof(Gu3dfInfo, table) == 24 && offsetof(Gu3dfInfo, data) == 1048,
              "Gu3dfInfo: header, table, data pointer, size");
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(Gu3dfInfo) == 1056, "Gu3dfInfo on 32-bit Windows");
#endif
