// glidemain.cpp - the Glide device in its one configuration. Nothing here is
// chosen at run time: board 0, 640x480 at 60 Hz, RGBA, origin upper left,
// double buffered with a W-buffer, the whole screen as clip window.
#include "device/glidemain.h"

#include <stdint.h>

#include "device/assertion.h"
#include "geometry/transform.h"

GrHwConfiguration voo_hwconfig;

void voo_init()
{
    grGlideInit();
    if (!grSstQueryHardware(&voo_hwconfig))
        report_assertion("grSstQueryHardware ( &voo_hwconfig )", "glidemain", 90);
    grSstSelect(0);
}

void voo_open(HWND hwnd)
{
    // The library takes the window as a 32-bit value; our window handles fit.
    if (!grSstWinOpen((FxU32)(uintptr_t)hwnd, GR_RESOLUTION_640x480, GR_REFRESH_60Hz, GR_COLORFORMAT_RGBA,
                      GR_ORIGIN_UPPER_LEFT, 2, 1))
        report_assertion("grSstWinOpen( (FxU32)hWnd , GR_RESOLUTION_640x480, GR_REFRESH_60Hz, "
                         "GR_COLORFORMAT_RGBA, GR_ORIGIN_UPPER_LEFT, 2, 1 )",
                         "glidemain", 104);
}

void voo_set_render_state()
{
    grDepthBufferMode(GR_DEPTHBUFFER_WBUFFER);
    grDepthBufferFunction(GR_CMP_LESS);
    // Depth writes must be on before this first clear, or it leaves depth alone.
    grDepthMask(FXTRUE);
    grBufferClear(0, 0, GR_WDEPTHVALUE_FARTHEST);
    grRenderBuffer(GR_BUFFER_BACKBUFFER);
    grClipWindow(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
}

void voo_end_frame()
{
    // Swap on the second retrace: the show's 30 frames a second.
    grBufferSwap(2);
    grBufferClear(0, 0, GR_WDEPTHVALUE_FARTHEST);
    // The next frame's geometry waits until the swap and the clear are done.
    grSstIdle();
}

void voo_close()
{
    grSstWinClose();
    grGlideShutdown();
}
