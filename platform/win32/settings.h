// settings.h - the settings our Win32 reads, one row each: the answers that
// stand in for a person at the start-up dialog and at a message box (tests,
// servers). A value that is no answer is reported in one line on stderr.
#ifndef LUMIVEX_WIN32_SETTINGS_H
#define LUMIVEX_WIN32_SETTINGS_H

#include <cstddef>

struct Win32Setting {
    const char *name;
    const char *words;     // the answers, ' ' between them, taken in any case
    const char *fallback;  // what happens without an answer
    const char *meaning;
    const char *complaint;  // a bad value's report: "NAME=VALUE is <complaint>; <outcome>"
};

extern const Win32Setting DIALOG_SETTING, MESSAGEBOX_SETTING;
extern const Win32Setting *const win32_settings[];
extern const size_t win32_setting_count;

// The setting's value, or null when it is unset or empty.
const char *setting_text(const Win32Setting &s);

// The place of text among the setting's words, in any case; -1 when it is none.
int setting_word(const Win32Setting &s, const char *text);

// The one line for a value that is no answer, and what is done instead.
void report_setting(const Win32Setting &s, const char *text, const char *outcome);

#endif
