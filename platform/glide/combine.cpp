// combine.cpp - the colour path's state: which colour reaches the pixel, the
// texture unit's combine, the alpha source, the constant colour and hints.
// Only the functions the library implements are taken; others are refused
// and leave the state as it was (glide.h lists them).
#include "device.h"
#include "trace.h"

void FX_CALL guColorCombineFunction(GrColorCombineFnc_t fnc)
{
    set_state("guColorCombineFunction", glide.colour_combine, fnc,
              fnc == GR_COLORCOMBINE_ZERO || fnc == GR_COLORCOMBINE_CCRGB || fnc == GR_COLORCOMBINE_ITRGB ||
                  fnc == GR_COLORCOMBINE_DECAL_TEXTURE || fnc == GR_COLORCOMBINE_TEXTURE_TIMES_ITRGB);
}

void FX_CALL guTexCombineFunction(GrChipID_t tmu, GrTextureCombineFnc_t fnc)
{
    trace_call("guTexCombineFunction", {tmu, fnc});
}

// Only traced: nothing reads alpha, as nothing blends.
void FX_CALL guAlphaSource(GrAlphaSource_t mode)
{
    trace_call("guAlphaSource", {mode});
}

void FX_CALL grConstantColorValue(GrColor_t value)
{
    set_state("grConstantColorValue", glide.constant_colour, value, true);
}

void FX_CALL grHints(GrHint_t type, FxU32 mask)
{
    trace_call("grHints", {type, mask});
    if (type == GR_HINT_STWHINT)
        glide.stw_hint = mask;
}
