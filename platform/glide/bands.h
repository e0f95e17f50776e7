// bands.h - a frame's drawing, recorded as the calls come, drawn by the
// other threads meanwhile, and finished when something needs the pixels (a
// swap, a read of the buffers, a change of texture memory or of the buffers
// themselves). The screen is cut into bands of rows; a band is drawn by one
// thread at a time, its clears and triangles in the order they were asked
// for, so a pixel sees the same operations in the same order whatever the
// number of threads and whichever thread draws first. Triangles are set up
// once, by the caller, and their spans binned by band. One thread draws each
// call at once instead: a recording would only cost.
//
// LUMIVEX_THREADS sets the number of threads (the caller is one of them).
#ifndef LUMIVEX_GLIDE_BANDS_H
#define LUMIVEX_GLIDE_BANDS_H

#include "device.h"
#include "raster.h"

// Records a triangle's raster; returns the raster for bands_spans (ra
// itself when one thread draws at once).
const Raster *bands_raster(const Raster &ra);

// Where a triangle's spans are made (room for a screen's rows) before they
// are passed to bands_spans: in the recording itself, when it records.
Span *bands_span_room();

// Records spans of that raster, top to bottom, or draws them.
void bands_spans(const Raster *raster, SpanFunction draw, const Span *spans, int count);

// Records a clear of the clip rectangle of colour (a buffer in the device's
// pixel format) to rgb, dithered as drawn pixels are, and of depth (unless
// null) to depth_value.
void bands_clear(void *colour, uint32_t rgb, uint16_t *depth, uint16_t depth_value, const ClipRect &clip);

// Ends a drawing call: drawing into the visible buffer shows at once.
void bands_call_done();

// bands_finish and bands_stop are declared in device.h; the next drawing
// after bands_stop starts the threads anew, with the number configured then.

// The number of threads that draw, LUMIVEX_THREADS or the default.
int bands_threads();

#endif
