// word_place.h - where a setting's value stands among the words it takes:
// settings of words (LUMIVEX_OUTPUT, LUMIVEX_DIALOG) take them in any case.
// Shared by platform/glide and platform/win32, as echoed.h is.
#ifndef LUMIVEX_PLATFORM_WORD_PLACE_H
#define LUMIVEX_PLATFORM_WORD_PLACE_H

#include <cstring>
#include <strings.h>

// The place of text among words (' ' between them); -1 when it is none.
inline int word_place(const char *words, const char *text)
{
    int place = 0;
    for (const char *w = words; *w; ++place) {
        size_t n = std::strcspn(w, " ");
        if (std::strlen(text) == n && strncasecmp(w, text, n) == 0)
            return place;
        w += n;
        w += *w == ' ';
    }
    return -1;
}

#endif
