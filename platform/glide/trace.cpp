// trace.cpp - the call log; the format is described in trace.h.
#include "trace.h"

#include "config.h"
#include "host.h"
#include "platform/common/echoed.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

TraceLog trace_log;
static bool configured = false;

// A trace that cannot be written (a full disk) is said once; the show goes
// on without it.
static bool write_failure_told = false;

// Hands what is logged to the system, and says it once when it failed.
static void flush()
{
    errno = 0;
    std::fflush(trace_log.file);
    if (write_failure_told || !std::ferror(trace_log.file))
        return;
    write_failure_told = true;
    host_output_failed();
    std::fprintf(stderr,
                 "lumivex glide: LUMIVEX_TRACE=%s could not be written (%s); the trace is incomplete\n",
                 echoed(trace_log.path.c_str()).c_str(), errno ? std::strerror(errno) : "a write failed");
}

// Opens the log at path (closing any before it); an empty path logs nothing.
static void trace_open(const char *path)
{
    // The window procedure's grSstControl calls come before grGlideInit reads
    // the settings again: reopening the same file would wipe them. A file
    // removed meanwhile is a new log, though, not one to go on writing unseen.
    if (trace_log.file && trace_log.path == path && std::filesystem::exists(path))
        return;
    if (trace_log.file)
        std::fclose(trace_log.file);
    trace_log.file = nullptr;
    trace_log.path = path;
    if (!*path)
        return;
    trace_log.file = std::fopen(path, "w");
    write_failure_told = false;  // a new log, told anew
    if (trace_log.file)
        return;
    host_output_failed();
    std::fprintf(stderr, "lumivex glide: LUMIVEX_TRACE=%s cannot be written (%s); not logging\n",
                 echoed(path).c_str(), std::strerror(errno));
}

void glide_configure()
{
    glide_config = read_config();
    trace_open(glide_config.trace_path.c_str());
    // Never inside a frame: grGlideInit has closed the device first, and the
    // first logged call before any grGlideInit has no device yet.
    trace_frame(false, 0);
    configured = true;
}

static void end_line()
{
    std::fputc('\n', trace_log.file);
    // Outside the frames calls are few; each line reaches the disk at once.
    if (!trace_log.in_frame)
        flush();
}

void trace_call(const char *name, std::initializer_list<TraceArg> args)
{
    if (!configured)
        glide_configure();
    std::FILE *f = trace_log.file;
    if (!f)
        return;
    std::fputs(name, f);
    for (const TraceArg &a : args) {
        switch (a.kind) {
        case TraceArg::INTEGER: std::fprintf(f, " %lld", a.integer); break;
        case TraceArg::REAL: std::fprintf(f, " %.9g", a.real); break;
        case TraceArg::STRING: std::fprintf(f, " \"%s\"", a.string ? a.string : ""); break;
        case TraceArg::POINTER: std::fputs(" -", f); break;
        }
    }
    end_line();
}

void trace_triangle_line(const GrVertex *a, const GrVertex *b, const GrVertex *c)
{
    if (trace_log.in_frame && !trace_log.frame_listed)
        return;
    std::FILE *f = trace_log.file;
    std::fputs("guDrawTriangleWithClip", f);
    for (const GrVertex *v : {a, b, c}) {
        if (!v) {
            std::fputs(" -", f);
            continue;
        }
        const GrTmuVertex &t = v->tmuvtx[0];
        std::fprintf(f, " %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g", v->x, v->y, v->oow, t.sow, t.tow,
                     t.oow, v->r, v->g, v->b);
    }
    end_line();
}

void trace_frame(bool device_open, int64_t frame)
{
    trace_log.in_frame = device_open;
    trace_log.frame_listed =
        glide_config.trace_frames.ranges.empty() || glide_config.trace_frames.contains(frame);
    if (trace_log.file)
        flush();
}
