// read_whole_file.cpp - reads a file into one heap block through the Win32 file calls, so that the
// same code runs on Windows and over the stand-in elsewhere.
#include <windows.h>

#include <stdlib.h>

#include "mesh/mesh.h"

unsigned char *read_whole_file(const char *path, uint32_t *length)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;

    // Without a high word, a size of 4 GiB or more reads as INVALID_FILE_SIZE;
    // no mesh is anywhere near that, so treat it as a failure.
    DWORD size = GetFileSize(file, nullptr);
    // malloc(0) may give null; an empty file still gets a block of its own.
    unsigned char *block = size == INVALID_FILE_SIZE ? nullptr : (unsigned char *)malloc(size ? size : 1);
    if (!block) {
        CloseHandle(file);
        return nullptr;
    }

    DWORD delivered = 0;
    BOOL ok = ReadFile(file, block, size, &delivered, nullptr);
    CloseHandle(file);
    if (!ok) {
        free(block);
        return nullptr;
    }
    *length = delivered;
    return block;
}
