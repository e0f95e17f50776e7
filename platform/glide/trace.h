// trace.h - the call log (LUMIVEX_TRACE): one line per Glide call, in call
// order: the call's name, then its arguments separated by single spaces;
// integers in decimal, floats with %.9g, strings in double quotes, pointers
// and records as "-". A guDrawTriangleWithClip line carries for each vertex,
// in order, x y oow sow tow tmuoow r g b (texture values from tmuvtx[0]).
//
// With LUMIVEX_TRACE_FRAMES the triangles of the frames not listed are left
// out; every other call is kept, so that the listed frames still replay with
// the state that earlier frames set. Frame N is drawn between the Nth and the
// (N+1)th grBufferSwap; calls made while the device is not open belong to no
// frame and are always kept.
//
// The log is flushed at every swap, at close, and after every line while the
// device is not open, so that a killed process leaves a usable log.
#ifndef LUMIVEX_GLIDE_TRACE_H
#define LUMIVEX_GLIDE_TRACE_H

#include <glide.h>

#include <concepts>
#include <cstdint>
#include <cstdio>
#include <string>
#include <initializer_list>

// A pointer or record argument, logged as "-".
struct TracePointer {};

struct TraceArg {
    enum Kind { INTEGER, REAL, STRING, POINTER } kind;
    long long integer = 0;
    double real = 0;
    const char *string = nullptr;

    template <std::integral T> TraceArg(T v) : kind(INTEGER), integer((long long)v) {}
    TraceArg(float v) : kind(REAL), real(v) {}
    TraceArg(const char *s) : kind(STRING), string(s) {}
    TraceArg(TracePointer) : kind(POINTER) {}
};

struct TraceLog {
    std::FILE *file = nullptr;
    std::string path;       // the file open now, so grGlideInit does not restart it
    bool in_frame = false;  // the device is open
    bool frame_listed = true;
};
extern TraceLog trace_log;

// Logs one call. Loads the configuration first if nothing has yet.
void trace_call(const char *name, std::initializer_list<TraceArg> args);

// A one-argument state call: logs it, then takes the value only if the
// library implements it. A refused value leaves the state as it was, as the
// board ignores a register write it does not decode.
template <class T> void set_state(const char *name, T &state, T value, bool implemented)
{
    trace_call(name, {value});
    if (implemented)
        state = value;
}

// Logs a guDrawTriangleWithClip call unless its frame is left out.
void trace_triangle_line(const GrVertex *a, const GrVertex *b, const GrVertex *c);
inline void trace_triangle(const GrVertex *a, const GrVertex *b, const GrVertex *c)
{
    if (trace_log.file)
        trace_triangle_line(a, b, c);
}

// Reads the configuration and restarts the log at its path (grGlideInit).
void glide_configure();

// The device opened, closed, or swapped to a new frame: whether that frame's
// triangles are logged, and a flush.
void trace_frame(bool device_open, int64_t frame);

#endif
