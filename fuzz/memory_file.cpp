// memory_file.cpp - one anonymous in-memory file, rewritten for every fuzz input.

#include "memory_file.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

const char *memory_file(const uint8_t *data, size_t size)
{
    static int fd = -1;
    static char name[40];
    if (fd < 0) {
        fd = memfd_create("lumivex-fuzz", 0);
        if (fd < 0) {
            std::perror("memfd_create");
            std::abort();
        }
        std::snprintf(name, sizeof name, "/proc/self/fd/%d", fd);
    }
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != ssize_t(size))
        std::abort();
    return name;
}
