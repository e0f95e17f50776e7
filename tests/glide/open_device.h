// open_device.h - the show's device start-up through the Glide API (init,
// query, select, open, render state) for the Glide tests, which run
// offscreen, where no window is needed.
#ifndef LUMIVEX_TESTS_GLIDE_OPEN_DEVICE_H
#define LUMIVEX_TESTS_GLIDE_OPEN_DEVICE_H

#include <glide.h>

inline bool open_device()
{
    static GrHwConfiguration hw;
    grGlideInit();
    if (!grSstQueryHardware(&hw))
        return false;
    grSstSelect(0);
    if (!grSstWinOpen(0x101, GR_RESOLUTION_640x480, GR_REFRESH_60Hz, GR_COLORFORMAT_RGBA,
                      GR_ORIGIN_UPPER_LEFT, 2, 1))
        return false;
    grDepthBufferMode(GR_DEPTHBUFFER_WBUFFER);
    grDepthBufferFunction(GR_CMP_LESS);
    grDepthMask(FXTRUE);
    grBufferClear(0, 0, GR_WDEPTHVALUE_FARTHEST);
    grRenderBuffer(GR_BUFFER_BACKBUFFER);
    grClipWindow(0, 0, 640, 480);
    return true;
}

#endif
