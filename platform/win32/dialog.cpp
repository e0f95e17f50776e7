// dialog.cpp - DialogBoxParamA: a dialog resource run modally, on the display
// or, without one, answered by LUMIVEX_DIALOG.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <win32_exit.h>

#include "dialog.h"
#include "display.h"
#include "settings.h"
#include "window.h"
#include "window_life.h"

namespace {

// The dialog manager's own window procedure: the dialog procedure first,
// and what it leaves alone handled as a dialog handles it.
LRESULT CALLBACK dialog_window_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window *w = find_window(hwnd);
    if (w && w->dialog_proc) {
        INT_PTR handled = w->dialog_proc(hwnd, message, wParam, lParam);
        if (handled)
            return handled;
    }
    switch (message) {
    case WM_CLOSE:
        // Closing a dialog from its caption is the same as Esc: IDCANCEL.
        SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 0;
    case WM_INITDIALOG: return 0;
    case WM_ACTIVATE:
        // A dialog that comes up without a focus gives it to its first
        // control that takes one.
        if (LOWORD(wParam) != WA_INACTIVE && w && w->dialog && w->dialog->focus < 0)
            dialog_initial_focus(*w->dialog);
        return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

// LUMIVEX_DIALOG's answer as a command id: 0 when unset, -1 when it is not
// an answer (reported once here).
int preset_answer()
{
    const char *v = setting_text(DIALOG_SETTING);
    if (!v)
        return 0;
    const int answers[] = {IDOK, IDCANCEL};  // start, exit
    int word = setting_word(DIALOG_SETTING, v);
    if (word >= 0)
        return answers[word];
    report_setting(DIALOG_SETTING, v, "ignored");
    return -1;
}

// The modal loop: the whole thread's messages are dispatched while the
// dialog is up, as Windows does, until the dialog's window is gone.
void run_modal(HWND hwnd)
{
    while (IsWindow(hwnd)) {
        MSG msg;
        while (IsWindow(hwnd) && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Window *w = find_window(hwnd);
        if (!w)
            break;
        if (w->dialog->dirty)
            display_draw_dialog(w);
        display_wait(100);
    }
}

}  // namespace

void dialog_send_command(Window *w, int id)
{
    if (id)
        SendMessageA(w->handle, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

INT_PTR WINAPI DialogBoxParamA(HINSTANCE, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param)
{
    uintptr_t id = reinterpret_cast<uintptr_t>(name);
    const DialogResource *resource = id < 0x10000 ? find_dialog_resource(static_cast<int>(id)) : nullptr;
    if (!resource || !proc)
        return -1;

    int answer = preset_answer();
    bool on_screen = answer <= 0;
    if (on_screen && !have_display()) {
        fprintf(stderr, "lumivex: no display for the start-up dialog; run with LUMIVEX_DIALOG=start "
                        "LUMIVEX_OUTPUT=offscreen to play the show without one\n");
        win32_exit_status_at_least(WIN32_EXIT_NO_DISPLAY);  // nothing was shown
        return -1;
    }

    DialogState state;
    dialog_layout(state, resource);
    HWND hwnd = create_window_with_proc(dialog_window_proc, resource->caption.c_str(), resource->style, 0, 0,
                                        state.width, state.height, owner, nullptr);
    Window *w = find_window(hwnd);
    if (!w)
        return -1;
    w->dialog = &state;
    w->dialog_proc = proc;
    if (on_screen && !display_open_dialog(w)) {
        DestroyWindow(hwnd);
        return -1;
    }
    if (SendMessageA(hwnd, WM_INITDIALOG, 0, param))
        dialog_initial_focus(state);

    if (on_screen) {
        if (IsWindow(hwnd)) {
            ShowWindow(hwnd, SW_SHOWNORMAL);
            display_draw_dialog(w);
        }
        run_modal(hwnd);
        display_close_dialog(w);
    } else {
        dialog_send_command(w, answer);
        if (IsWindow(hwnd)) {
            // Nobody is there to give a second answer.
            fprintf(stderr, "lumivex: the dialog stayed open after LUMIVEX_DIALOG's answer\n");
            DestroyWindow(hwnd);
            w->dialog = nullptr;
            return -1;
        }
    }
    w->dialog = nullptr;
    return 0;
}
