// dialog.h - the dialog manager: a dialog resource laid out in pixels, its
// keyboard and mouse rules, its drawing, and the modal run of
// DialogBoxParamA.
#ifndef LUMIVEX_WIN32_DIALOG_H
#define LUMIVEX_WIN32_DIALOG_H

#include <windows.h>

#include <string>
#include <vector>

#include "resources.h"

struct HostWindow;
struct Window;

enum class ControlKind { push_button, group_box, check_box, static_text, combo_box, other };

struct PixelRect {
    int x, y, w, h;
    bool contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

struct DialogControl {
    const DialogControlResource *resource;
    ControlKind kind;
    PixelRect rect;
    bool enabled;
    bool is_default;                 // BS_DEFPUSHBUTTON in the resource
    std::vector<std::string> items;  // a combo box's list, sorted for CBS_SORT
};

// How a dialog's initialisation list adds an item to a combo box: the
// 16-bit message that resource compilers keep, or the 32-bit one.
const int CB_ADDSTRING_16 = 0x0403;
const int CB_ADDSTRING = 0x0143;

struct DialogState {
    const DialogResource *resource = nullptr;
    std::vector<DialogControl> controls;
    int width = 0, height = 0;  // client area in pixels
    int focus = -1;             // index into controls, -1 for none
    int pressed = -1;           // a button held down by the mouse or Space
    bool pressed_inside = false;
    bool pressed_by_key = false;
    bool dirty = true;  // needs drawing
};

void dialog_layout(DialogState &d, const DialogResource *resource);
// Focus on the first control that takes it, as after WM_INITDIALOG returns TRUE.
void dialog_initial_focus(DialogState &d);
bool dialog_takes_focus(const DialogControl &c);
// The button Enter presses: the focused push button, else the default one.
int dialog_default_button(const DialogState &d);

// Each returns the command to send (a control id), or 0 for none.
int dialog_key_down(DialogState &d, int vk, bool shift);
int dialog_key_up(DialogState &d, int vk);
int dialog_mouse_down(DialogState &d, int x, int y);
int dialog_mouse_move(DialogState &d, int x, int y);
int dialog_mouse_up(DialogState &d, int x, int y);

// Sends the dialog WM_COMMAND for a control id (none for 0).
void dialog_send_command(Window *w, int id);

// Draws the whole dialog on the dialog window's host side; false when no font
// could be found.
bool dialog_draw(DialogState &d, HostWindow *canvas);

// What that drawing needs of a host that draws dialogs itself (sdl/
// dialog_canvas.cpp): solid colours on the dialog window's surface, and text
// in the font of the dialog's resource.
struct Colour {
    unsigned char r, g, b;
};
// Opens the font of the dialog's resource, once for the program; false
// when none was found, and text is then not drawn.
bool canvas_open_font(const DialogResource &resource);
int canvas_text_width(const char *text);  // 0 without a font
int canvas_font_height();
void canvas_clear(HostWindow *canvas, Colour c);
void canvas_fill(HostWindow *canvas, const PixelRect &p, Colour c);
void canvas_line(HostWindow *canvas, int x0, int y0, int x1, int y1, Colour c);
void canvas_point(HostWindow *canvas, int x, int y, Colour c);
// Text with its top left corner at (x, y), clipped to `clip`.
void canvas_text(HostWindow *canvas, const std::string &text, int x, int y, Colour c, const PixelRect &clip);
void canvas_present(HostWindow *canvas);

#endif
