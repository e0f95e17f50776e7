// progress.cpp - the offscreen run's one-line progress on a terminal.
#include "progress.h"

#include "config.h"
#include "host.h"

#include <cstdio>
#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

// Often enough to look alive, seldom enough to cost nothing.
static const int64_t REDRAW_NS = NS_PER_SECOND / 4;

static bool shown = false;
static int64_t started = 0, drawn = 0, last_frames = 0;

static void draw(int64_t frames, int64_t now)
{
    double seconds = (double)(now - started) / NS_PER_SECOND;
    double fps = seconds > 0 ? frames / seconds : 0;
    char line[160];
    int n = std::snprintf(line, sizeof line, "\rlumivex glide: %lld frames", (long long)frames);
    // The show finds the key while it draws the next frame, and shows that too.
    int64_t total = glide_config.key_at_frame + 2;
    if (glide_config.key_at_frame >= 0)
        n += std::snprintf(line + n, sizeof line - n, " of %lld", (long long)total);
    n += std::snprintf(line + n, sizeof line - n, ", %.0f fps, %.1f s", fps, seconds);
    if (glide_config.key_at_frame >= 0 && fps > 0 && frames <= total)
        std::snprintf(line + n, sizeof line - n, ", %.1f s left", (total - frames) / fps);
    std::fprintf(stderr, "%-72s", line);
    std::fflush(stderr);
    drawn = now;
}

void progress_start()
{
    shown = glide_config.output == Output::OFFSCREEN &&
            (!glide_config.dump_dir.empty() || !glide_config.capture_path.empty()) && isatty(fileno(stderr));
    started = drawn = host_clock().now();
    last_frames = 0;
}

void progress_frames(int64_t frames)
{
    if (!shown)
        return;
    last_frames = frames;
    int64_t now = host_clock().now();
    if (now - drawn >= REDRAW_NS)
        draw(frames, now);
}

void progress_end()
{
    if (!shown)
        return;
    draw(last_frames, host_clock().now());
    std::fputc('\n', stderr);
    shown = false;
}
