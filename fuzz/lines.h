// lines.h - a text fuzz input cut at its newlines.
#ifndef LUMIVEX_FUZZ_LINES_H
#define LUMIVEX_FUZZ_LINES_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline std::vector<std::string> lines_of(const uint8_t *data, size_t size)
{
    std::vector<std::string> lines;
    const char *text = reinterpret_cast<const char *>(data), *end = text + size;
    while (text < end) {
        const char *stop = text;
        while (stop < end && *stop != '\n')
            ++stop;
        lines.emplace_back(text, stop);
        text = stop + 1;
    }
    return lines;
}

#endif
