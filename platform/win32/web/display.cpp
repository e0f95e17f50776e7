// display.cpp - the display in a browser: the page. Its keys and the dialog's
// clicks are pulled from page.js, the start-up dialog is drawn there as HTML
// from the dialog manager's layout, and the show's window is the page's canvas
// (Glide's presenter draws it). Message boxes are answered as on a terminal.
#include <emscripten.h>

#include "../dialog.h"
#include "../display.h"
#include "../keys.h"
#include "../queue.h"
#include "../window.h"

extern "C" {
int lumivex_next_event(int *event);
int lumivex_shift_held();
void lumivex_dialog_begin(const char *caption, int width, int height);
void lumivex_dialog_control(int kind, int x, int y, int w, int h, const char *text, int flags);
void lumivex_dialog_end();
}

namespace {

enum Event { KEY_DOWN = 1, KEY_UP, MOUSE_DOWN, MOUSE_UP, MOUSE_MOVE, CLOSE_BOX };
enum Modifier { SHIFT = 1, CTRL = 2, ALT = 4 };
enum ControlFlag { ENABLED = 1, DEFAULT = 2, FOCUSED = 4, PRESSED = 8, CENTRED = 16 };

// The page has one place for input: the dialog while one is up, else the
// window shown last.
Window *dialog_window = nullptr;
Window *shown_window = nullptr;

int dialog_vk(int scancode)
{
    return static_cast<int>(key_message(scancode, true, false, false, false).vk);
}

void dialog_event(Window *w, const int *e)
{
    DialogState &d = *w->dialog;
    int command = 0;
    switch (e[0]) {
    case KEY_DOWN:
        if (dialog_vk(e[1]) == VK_F4 && (e[3] & ALT)) {  // Alt+F4 closes it like the close box
            SendMessageA(w->handle, WM_CLOSE, 0, 0);
            return;
        }
        command = dialog_key_down(d, dialog_vk(e[1]), (e[3] & SHIFT) != 0);
        break;
    case KEY_UP: command = dialog_key_up(d, dialog_vk(e[1])); break;
    case MOUSE_DOWN: command = dialog_mouse_down(d, e[1], e[2]); break;
    case MOUSE_UP: command = dialog_mouse_up(d, e[1], e[2]); break;
    case MOUSE_MOVE: command = dialog_mouse_move(d, e[1], e[2]); break;
    case CLOSE_BOX: SendMessageA(w->handle, WM_CLOSE, 0, 0); return;
    }
    dialog_send_command(w, command);
}

void window_event(Window *w, const int *e)
{
    if (e[0] != KEY_DOWN && e[0] != KEY_UP)
        return;
    KeyMessage k = key_message(e[1], e[0] == KEY_DOWN, e[2] != 0, (e[3] & ALT) != 0, (e[3] & CTRL) != 0);
    MSG msg{};
    msg.hwnd = w->handle;
    msg.message = k.message;
    msg.wParam = k.vk;
    msg.lParam = k.lParam;
    msg.time = display_ticks();
    post_to_queue(*w->queue, msg);
}

int control_flags(const DialogState &d, int i)
{
    const DialogControl &c = d.controls[i];
    bool is_default = c.enabled && c.kind == ControlKind::push_button && dialog_default_button(d) == i;
    int flags = (c.enabled ? ENABLED : 0) | (is_default ? DEFAULT : 0) | (d.focus == i ? FOCUSED : 0);
    if (d.pressed == i && d.pressed_inside)
        flags |= PRESSED;
    if (c.resource->style & BS_CENTER)
        flags |= CENTRED;
    return flags;
}

// The queues' pump hook: the page's input since the last look.
void pump_page_events()
{
    int e[4];
    while (lumivex_next_event(e)) {
        if (dialog_window && dialog_window->alive && dialog_window->dialog)
            dialog_event(dialog_window, e);
        else if (shown_window && shown_window->alive)
            window_event(shown_window, e);
    }
}

const bool hooked = (set_pump_hook(pump_page_events), true);

}  // namespace

bool have_display()
{
    return true;
}

bool display_shift_held()
{
    return lumivex_shift_held() != 0;
}

DWORD display_ticks()
{
    return static_cast<DWORD>(emscripten_get_now());
}

void display_show_window(Window *w, bool shown)
{
    if (shown && !(w->style & WS_CHILD))
        shown_window = w;
    else if (!shown && shown_window == w)
        shown_window = nullptr;
}

bool display_open_dialog(Window *w)
{
    dialog_window = w;
    return true;
}

void display_draw_dialog(Window *w)
{
    DialogState &d = *w->dialog;
    lumivex_dialog_begin(w->title.c_str(), d.width, d.height);
    for (size_t i = 0; i < d.controls.size(); ++i) {
        const DialogControl &c = d.controls[i];
        if (!(c.resource->style & WS_VISIBLE))
            continue;
        lumivex_dialog_control(static_cast<int>(c.kind), c.rect.x, c.rect.y, c.rect.w, c.rect.h,
                               c.resource->text.c_str(), control_flags(d, static_cast<int>(i)));
    }
    d.dirty = false;
}

void display_close_dialog(Window *w)
{
    if (dialog_window == w)
        dialog_window = nullptr;
    lumivex_dialog_end();
}

void display_wait(int)
{
    // The page's input is looked at once an animation frame.
    Sleep(1);
}

bool display_message_box(Window *, const char *, const char *, bool, const char *const *, int, int *)
{
    return false;
}
