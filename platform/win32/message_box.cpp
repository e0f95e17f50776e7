// message_box.cpp - MessageBoxA: a message box on a display; on the terminal
// without one, or when LUMIVEX_MESSAGEBOX answers it beforehand (tests,
// servers). A box with only OK asks nothing, so it is also one line on stderr:
// the terminal that started the program learns why it ended.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <strings.h>

#include "display.h"
#include "settings.h"
#include "window.h"

namespace {

const UINT MB_TYPEMASK = 0x0F;
const UINT MB_ICONMASK = 0xF0;
const UINT MB_OKCANCEL = 0x1, MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4, MB_RETRYCANCEL = 0x5;
const int IDYES = 6, IDNO = 7;

struct Button {
    int id;
    const char *text;
    const char *answer;  // the word LUMIVEX_MESSAGEBOX uses for it
};

// The buttons of each box type, in the order they stand in the box.
int buttons_of(UINT type, Button *out)
{
    static const Button ok{IDOK, "OK", "ok"}, cancel{IDCANCEL, "Cancel", "cancel"},
        abort{IDABORT, "Abort", "abort"}, retry{IDRETRY, "Retry", "retry"},
        ignore{IDIGNORE, "Ignore", "ignore"}, yes{IDYES, "Yes", "yes"}, no{IDNO, "No", "no"};
    static const struct {
        UINT type;
        int count;
        Button buttons[3];
    } boxes[] = {
        {MB_OKCANCEL, 2, {ok, cancel}},         {MB_ABORTRETRYIGNORE, 3, {abort, retry, ignore}},
        {MB_YESNOCANCEL, 3, {yes, no, cancel}}, {MB_YESNO, 2, {yes, no}},
        {MB_RETRYCANCEL, 2, {retry, cancel}},
    };
    for (const auto &box : boxes)
        if (box.type == (type & MB_TYPEMASK)) {
            std::copy(box.buttons, box.buttons + box.count, out);
            return box.count;
        }
    out[0] = ok;  // MB_OK, and any type we do not draw
    return 1;
}

// The answer without a person: LUMIVEX_MESSAGEBOX if it names one of the
// box's buttons, else the first button (Abort for the assertion report).
int terminal_answer(const char *text, const char *caption, const Button *buttons, int count)
{
    fprintf(stderr, "%s\n%s\n", caption ? caption : "Error", text ? text : "");
    const char *want = setting_text(MESSAGEBOX_SETTING);
    int answer = buttons[0].id;
    const char *word = buttons[0].answer;
    if (want) {
        int i = 0;
        while (i < count && strcasecmp(want, buttons[i].answer) != 0)
            ++i;
        if (i < count) {
            answer = buttons[i].id;
            word = buttons[i].answer;
        } else {
            report_setting(MESSAGEBOX_SETTING, want, (std::string("using ") + word).c_str());
        }
    }
    fprintf(stderr, "lumivex: answered %s\n", word);
    fflush(stderr);
    return answer;
}

void notice_line(const char *text)
{
    std::string line = text ? text : "";
    for (char &c : line)
        if (c == '\n' || c == '\r')
            c = ' ';
    fprintf(stderr, "lumivex: %s\n", line.c_str());
    fflush(stderr);
}

}  // namespace

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    Button buttons[3];
    int count = buttons_of(type, buttons);
    bool unattended = setting_text(MESSAGEBOX_SETTING) || !have_display();
    if (count == 1) {
        notice_line(text);
        if (unattended)
            return buttons[0].id;
    } else if (unattended) {
        return terminal_answer(text, caption, buttons, count);
    }

    const char *labels[3];
    for (int i = 0; i < count; ++i)
        labels[i] = buttons[i].text;
    int pressed = -1;
    if (!display_message_box(find_window(owner), caption ? caption : "Error", text ? text : "",
                             (type & MB_ICONMASK) == MB_ICONHAND, labels, count, &pressed))
        return count == 1 ? buttons[0].id : terminal_answer(text, caption, buttons, count);
    // Closing the box without a button is Cancel where there is one, else
    // the first button: an assertion report closed that way aborts.
    if (pressed < 0 || pressed >= count) {
        int answer = buttons[0].id;
        for (int i = 0; i < count; ++i)
            if (buttons[i].id == IDCANCEL)
                answer = IDCANCEL;
        return answer;
    }
    return buttons[pressed].id;
}
