// dialog_logic.cpp - the dialog manager's rules for focus, keys and clicks,
// apart from drawing so that they can be tried without a screen.
#include <strings.h>

#include <algorithm>

#include "dialog.h"

namespace {

ControlKind kind_of(const DialogControlResource &c)
{
    DWORD type = c.style & BS_TYPEMASK;
    if (c.class_name == "Button") {
        if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
            return ControlKind::push_button;
        if (type == BS_GROUPBOX)
            return ControlKind::group_box;
        if (type == BS_AUTOCHECKBOX)
            return ControlKind::check_box;
        return ControlKind::other;
    }
    if (c.class_name == "Static")
        return ControlKind::static_text;
    if (c.class_name == "ComboBox")
        return ControlKind::combo_box;
    return ControlKind::other;
}

// Windows rounds dialog-unit conversions to the nearest pixel.
int mul_div(int v, int mul, int div)
{
    long long p = static_cast<long long>(v) * mul;
    return static_cast<int>((p >= 0 ? p + div / 2 : p - div / 2) / div);
}

int next_focus(const DialogState &d, int from, int step)
{
    int n = static_cast<int>(d.controls.size());
    if (n == 0)
        return -1;
    int i = from < 0 ? (step > 0 ? -1 : n) : from;
    for (int k = 0; k < n; ++k) {
        i = (i + step + n) % n;
        if (dialog_takes_focus(d.controls[i]))
            return i;
    }
    return from;
}

bool is_button(const DialogState &d, int i)
{
    return i >= 0 && d.controls[i].kind == ControlKind::push_button;
}

int hit(const DialogState &d, int x, int y)
{
    // The first control is on top, as in the dialog's creation order.
    for (size_t i = 0; i < d.controls.size(); ++i)
        if (d.controls[i].rect.contains(x, y))
            return static_cast<int>(i);
    return -1;
}

int release(DialogState &d)
{
    int i = d.pressed;
    bool inside = d.pressed_inside;
    d.pressed = -1;
    d.pressed_inside = false;
    d.pressed_by_key = false;
    d.dirty = true;
    return i >= 0 && inside ? d.controls[i].resource->id : 0;
}

// Dialog units to pixels for the 8-point system font: 6 by 13 pixels the
// average character, a dialog unit a quarter of its width, an eighth of its height.
int dialog_units_to_x(int units)
{
    return mul_div(units, 6, 4);
}

int dialog_units_to_y(int units)
{
    return mul_div(units, 13, 8);
}

}  // namespace

void dialog_layout(DialogState &d, const DialogResource *resource)
{
    d.resource = resource;
    d.controls.clear();
    d.width = dialog_units_to_x(resource->cx);
    d.height = dialog_units_to_y(resource->cy);
    for (const DialogControlResource &r : resource->controls) {
        DialogControl c;
        c.resource = &r;
        c.kind = kind_of(r);
        c.rect = {dialog_units_to_x(r.x), dialog_units_to_y(r.y), dialog_units_to_x(r.cx),
                  dialog_units_to_y(r.cy)};
        c.enabled = !(r.style & WS_DISABLED);
        c.is_default = c.kind == ControlKind::push_button && (r.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        // A combo box's list is what the initialisation list adds to it.
        for (const DialogInitItem &item : resource->init)
            if (item.control_id == r.id && (item.message == CB_ADDSTRING_16 || item.message == CB_ADDSTRING))
                c.items.push_back(item.data.c_str());
        if (r.style & CBS_SORT)
            std::sort(c.items.begin(), c.items.end());
        d.controls.push_back(c);
    }
    d.focus = -1;
    d.pressed = -1;
    d.dirty = true;
}

bool dialog_takes_focus(const DialogControl &c)
{
    bool can = c.kind == ControlKind::push_button || c.kind == ControlKind::check_box ||
               c.kind == ControlKind::combo_box;
    return can && c.enabled && (c.resource->style & WS_TABSTOP) && (c.resource->style & WS_VISIBLE);
}

void dialog_initial_focus(DialogState &d)
{
    d.focus = next_focus(d, -1, 1);
    d.dirty = true;
}

int dialog_default_button(const DialogState &d)
{
    if (is_button(d, d.focus))
        return d.focus;
    for (size_t i = 0; i < d.controls.size(); ++i)
        if (d.controls[i].is_default)
            return static_cast<int>(i);
    return -1;
}

int dialog_key_down(DialogState &d, int vk, bool shift)
{
    switch (vk) {
    case VK_TAB:
        d.focus = next_focus(d, d.focus, shift ? -1 : 1);
        d.dirty = true;
        return 0;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        // Only the two buttons can take the focus, and they are one group.
        d.focus = next_focus(d, d.focus, vk == VK_LEFT || vk == VK_UP ? -1 : 1);
        d.dirty = true;
        return 0;
    case VK_RETURN: {
        int i = dialog_default_button(d);
        if (i >= 0)
            return d.controls[i].enabled ? d.controls[i].resource->id : 0;
        return IDOK;  // a dialog without a default button still answers Enter with IDOK
    }
    case VK_ESCAPE: return IDCANCEL;
    case VK_SPACE:
        if (is_button(d, d.focus) && d.pressed < 0) {
            d.pressed = d.focus;
            d.pressed_inside = true;
            d.pressed_by_key = true;
            d.dirty = true;
        }
        return 0;
    default: return 0;
    }
}

int dialog_key_up(DialogState &d, int vk)
{
    if (vk == VK_SPACE && d.pressed >= 0 && d.pressed_by_key)
        return release(d);
    return 0;
}

int dialog_mouse_down(DialogState &d, int x, int y)
{
    int i = hit(d, x, y);
    if (i < 0 || !is_button(d, i) || !d.controls[i].enabled)
        return 0;
    d.focus = i;
    d.pressed = i;
    d.pressed_inside = true;
    d.pressed_by_key = false;
    d.dirty = true;
    return 0;
}

int dialog_mouse_move(DialogState &d, int x, int y)
{
    if (d.pressed < 0 || d.pressed_by_key)
        return 0;
    bool inside = d.controls[d.pressed].rect.contains(x, y);
    if (inside != d.pressed_inside) {
        d.pressed_inside = inside;
        d.dirty = true;
    }
    return 0;
}

int dialog_mouse_up(DialogState &d, int x, int y)
{
    if (d.pressed < 0 || d.pressed_by_key)
        return 0;
    d.pressed_inside = d.controls[d.pressed].rect.contains(x, y);
    return release(d);
}
