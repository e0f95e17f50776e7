// memory_file.h - a fuzz input as a file the readers can open by name, kept
// in memory so that thousands of inputs a second cost no disk.
#ifndef LUMIVEX_FUZZ_MEMORY_FILE_H
#define LUMIVEX_FUZZ_MEMORY_FILE_H

#include <cstddef>
#include <cstdint>

// Replaces the file's contents with the bytes; returns its name.
const char *memory_file(const uint8_t *data, size_t size);

#endif
