// bands.h - a frame's drawing, recorded as the calls come, drawn by the
// other threads meanwhile, and finished when something needs the pixels (a
// swap, a read of the buffers, a change of texture memory or of the buffers
// themselves). The screen is cut into bands of rows; a band is drawn by one
// thread at a time, its clears and triangles in the order they were asked
// for, so a pixel sees the same operations in the same order whatever the
// number of threads and whichever thread draws first. Triangles are set up
// once, by the caller, and their spans binned by band. One thread records and
// draws just as several do: it draws at the end, each band's rows staying in
// its cache while all of the band's triangles are drawn.
//
// LUMIVEX_THREADS sets the number of threads (the caller is one of them).
#ifndef LUMIVEX_GLIDE_BANDS_H
#define LUMIVEX_GLIDE_BANDS_H

#include "coverage.h"
#include "device.h"
#include "raster.h"

// Records a triangle: raster ra's loops over the pixels of the clip window
// that its corners cover.
void bands_triangle(const Raster &ra, const Corners &corners);

// Records a clear of the clip rectangle of colour (a buffer in the device's
// pixel format) to rgb, dithered as drawn pixels are, and of depth (unless
// null) to depth_value.
void bands_clear(void *colour, uint32_t rgb, uint16_t *depth, uint16_t depth_value, const ClipRect &clip);

// Ends a drawing call: drawing into the visible buffer shows at once.
void bands_call_done();

// bands_finish and bands_stop are declared in device.h; the next drawing
// after bands_stop starts the threads anew, with the number configured then.

#endif
