// find_tag.cpp - the chunk search that every mesh reader step starts from.

#include <string.h>

#include "mesh/mesh.h"

unsigned char *find_tag(const char *tag, unsigned char *data, uint32_t length)
{
    // Only offsets that are multiples of 4 are candidates, and the whole
    // 8-byte tag must lie inside the data; the data position of a tag that
    // ends exactly at the end of the data is one past the last byte.
    if (!data || length < 8)
        return nullptr;
    for (uint32_t offset = 0; offset <= length - 8; offset += 4) {
        if (memcmp(data + offset, tag, 8) == 0)
            return data + offset + 8;
    }
    return nullptr;
}
