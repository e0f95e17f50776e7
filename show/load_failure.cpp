// load_failure.cpp - remembers which data file failed to load.
// The loaders give back only null; the show knows which file it asked for.
#include "show/load_failure.h"

#include <stddef.h>

const char *show_failed_file = nullptr;
const char *show_failed_reason = nullptr;

int load_failed(const char *path)
{
    show_failed_file = path;
    return 0;
}

int copy_failed(const char *path)
{
    show_failed_reason = "there is not enough memory";
    return load_failed(path);
}
