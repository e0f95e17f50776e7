// settings.cpp - the table of our Win32's settings and their reading.
#include "settings.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "platform/common/echoed.h"
#include "platform/common/word_place.h"

const Win32Setting DIALOG_SETTING = {"LUMIVEX_DIALOG", "start exit", "the dialog is shown",
                                     "answers the start-up dialog without showing it",
                                     "neither start nor exit"};
const Win32Setting MESSAGEBOX_SETTING = {"LUMIVEX_MESSAGEBOX", "ok cancel abort retry ignore yes no",
                                         "shown on the display; without one, the first button",
                                         "answers a message box with one of its buttons, on the terminal",
                                         "not an answer to this box"};

const Win32Setting *const win32_settings[] = {&DIALOG_SETTING, &MESSAGEBOX_SETTING};
const size_t win32_setting_count = std::size(win32_settings);

const char *setting_text(const Win32Setting &s)
{
    const char *v = getenv(s.name);
    return v && *v ? v : nullptr;
}

int setting_word(const Win32Setting &s, const char *text)
{
    return word_place(s.words, text);
}

void report_setting(const Win32Setting &s, const char *text, const char *outcome)
{
    fprintf(stderr, "lumivex: %s=%s is %s; %s\n", s.name, echoed(text).c_str(), s.complaint, outcome);
}
