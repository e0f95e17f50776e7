// dialog_draw.cpp - a dialog in the classic grey look: raised buttons, etched
// group boxes, sunken fields, embossed grey text on disabled controls, drawn
// on the host's canvas (dialog.h).
#include <string>

#include "dialog.h"

namespace {

const Colour FACE{0xC0, 0xC0, 0xC0};
const Colour HIGHLIGHT{0xFF, 0xFF, 0xFF};
const Colour LIGHT{0xDF, 0xDF, 0xDF};
const Colour SHADOW{0x80, 0x80, 0x80};
const Colour DARK{0x00, 0x00, 0x00};
const Colour TEXT{0x00, 0x00, 0x00};

const int LINE_HEIGHT = 13;  // the system font's cell height

void hline(HostWindow *r, int x0, int x1, int y, Colour c)
{
    canvas_line(r, x0, y, x1, y, c);
}

void vline(HostWindow *r, int x, int y0, int y1, Colour c)
{
    canvas_line(r, x, y0, x, y1, c);
}

// A one-pixel frame with one colour on the top and left, another on the
// bottom and right: the bricks of every 3-D edge.
void edge(HostWindow *r, const PixelRect &p, Colour top_left, Colour bottom_right)
{
    int x1 = p.x + p.w - 1, y1 = p.y + p.h - 1;
    hline(r, p.x, x1 - 1, p.y, top_left);
    vline(r, p.x, p.y, y1 - 1, top_left);
    hline(r, p.x, x1, y1, bottom_right);
    vline(r, x1, p.y, y1, bottom_right);
}

PixelRect inset(const PixelRect &p, int by)
{
    return {p.x + by, p.y + by, p.w - 2 * by, p.h - 2 * by};
}

void raised(HostWindow *r, const PixelRect &p)
{
    edge(r, p, HIGHLIGHT, DARK);
    edge(r, inset(p, 1), LIGHT, SHADOW);
}

void sunken(HostWindow *r, const PixelRect &p)
{
    edge(r, p, SHADOW, HIGHLIGHT);
    edge(r, inset(p, 1), DARK, LIGHT);
}

// Text with its cell's top at y, clipped to `clip`.
void text_at(HostWindow *r, const std::string &text, int x, int y, Colour c, const PixelRect &clip)
{
    if (!text.empty())
        canvas_text(r, text, x, y + (LINE_HEIGHT - canvas_font_height()) / 2, c, clip);
}

// Enabled text in black; disabled text embossed: white, then grey over it
// one pixel up and to the left.
void label(HostWindow *r, const std::string &text, int x, int y, bool enabled, const PixelRect &clip)
{
    if (enabled) {
        text_at(r, text, x, y, TEXT, clip);
    } else {
        text_at(r, text, x + 1, y + 1, HIGHLIGHT, clip);
        text_at(r, text, x, y, SHADOW, clip);
    }
}

void focus_rect(HostWindow *r, const PixelRect &p)
{
    int x1 = p.x + p.w - 1, y1 = p.y + p.h - 1;
    for (int x = p.x; x <= x1; x += 2) {
        canvas_point(r, x, p.y, DARK);
        canvas_point(r, x, y1, DARK);
    }
    for (int y = p.y; y <= y1; y += 2) {
        canvas_point(r, p.x, y, DARK);
        canvas_point(r, x1, y, DARK);
    }
}

void push_button(HostWindow *r, const DialogState &d, int i)
{
    const DialogControl &c = d.controls[i];
    bool is_default = dialog_default_button(d) == i && c.enabled;
    bool down = d.pressed == i && d.pressed_inside;
    PixelRect p = c.rect;
    canvas_fill(r, p, FACE);
    if (is_default) {
        edge(r, p, DARK, DARK);  // the heavier border of the default button
        p = inset(p, 1);
    }
    if (down) {
        edge(r, p, SHADOW, SHADOW);
    } else {
        raised(r, p);
    }
    std::string text = c.resource->text;
    int shift = down ? 1 : 0;
    int tx = c.rect.x + (c.rect.w - canvas_text_width(text.c_str())) / 2 + shift;
    int ty = c.rect.y + (c.rect.h - LINE_HEIGHT) / 2 + shift;
    label(r, text, tx, ty, c.enabled, inset(c.rect, 2));
    if (d.focus == i)
        focus_rect(r, inset(c.rect, 4));
}

void group_box(HostWindow *r, const DialogControl &c)
{
    const PixelRect &p = c.rect;
    int line_y = p.y + LINE_HEIGHT / 2;
    PixelRect frame{p.x, line_y, p.w - 1, p.h - (line_y - p.y) - 1};
    // Etched: a white line below and right of a grey one; the caption's
    // cell covers the line under it.
    edge(r, {frame.x + 1, frame.y + 1, frame.w, frame.h}, HIGHLIGHT, HIGHLIGHT);
    edge(r, frame, SHADOW, SHADOW);
    std::string text = c.resource->text;
    if (text.empty())
        return;
    int w = canvas_text_width(text.c_str());
    bool centre = (c.resource->style & BS_CENTER) == BS_CENTER;
    int tx = centre ? p.x + (p.w - w) / 2 : p.x + 9;
    canvas_fill(r, {tx - 2, p.y, w + 4, LINE_HEIGHT}, FACE);
    label(r, text, tx, p.y, c.enabled, p);
}

void check_box(HostWindow *r, const DialogControl &c)
{
    const int box = 13;
    const PixelRect &p = c.rect;
    PixelRect b{p.x, p.y + (p.h - box) / 2, box, box};
    canvas_fill(r, inset(b, 2), c.enabled ? HIGHLIGHT : FACE);
    sunken(r, b);
    std::string text = c.resource->text;
    int left = p.x + box + 4;
    int room = p.x + p.w - left;
    int w = canvas_text_width(text.c_str());
    bool centre = (c.resource->style & BS_CENTER) == BS_CENTER;
    int tx = centre ? left + (room - w) / 2 : left;
    label(r, text, tx, p.y + (p.h - LINE_HEIGHT) / 2, c.enabled, p);
}

void combo_box(HostWindow *r, const DialogControl &c)
{
    // The resource's height includes the dropped-down list; the field itself
    // is as high as the font makes it.
    const int field_height = 21;
    PixelRect p{c.rect.x, c.rect.y, c.rect.w, c.rect.h < field_height ? c.rect.h : field_height};
    canvas_fill(r, inset(p, 2), c.enabled ? HIGHLIGHT : FACE);
    sunken(r, p);
    const int button_width = 16;
    PixelRect b{p.x + p.w - 2 - button_width, p.y + 2, button_width, p.h - 4};
    canvas_fill(r, b, FACE);
    raised(r, b);
    // The arrow: a small triangle pointing down.
    int ax = b.x + (b.w - 7) / 2, ay = b.y + (b.h - 4) / 2;
    for (int row = 0; row < 4; ++row) {
        if (!c.enabled)
            hline(r, ax + row + 1, ax + 6 - row + 1, ay + row + 1, HIGHLIGHT);
        hline(r, ax + row, ax + 6 - row, ay + row, c.enabled ? TEXT : SHADOW);
    }
}

// Left-aligned text that wraps at spaces as a static control's does; what
// falls below the control's box is not seen.
void static_text(HostWindow *r, const DialogControl &c)
{
    std::string rest = c.resource->text;
    int y = c.rect.y;
    while (!rest.empty() && y < c.rect.y + c.rect.h) {
        size_t end = rest.size();
        while (canvas_text_width(rest.substr(0, end).c_str()) > c.rect.w) {
            size_t space = rest.rfind(' ', end - 1);
            if (space == std::string::npos || space == 0)
                break;
            end = space;
        }
        label(r, rest.substr(0, end), c.rect.x, y, c.enabled, c.rect);
        rest = end < rest.size() ? rest.substr(end + 1) : "";
        y += LINE_HEIGHT;
    }
}

}  // namespace

bool dialog_draw(DialogState &d, HostWindow *r)
{
    bool have_font = canvas_open_font(*d.resource);
    canvas_clear(r, FACE);
    // Bottom of the z-order first: the first control is on top.
    for (int i = static_cast<int>(d.controls.size()) - 1; i >= 0; --i) {
        const DialogControl &c = d.controls[i];
        if (!(c.resource->style & WS_VISIBLE))
            continue;
        switch (c.kind) {
        case ControlKind::push_button: push_button(r, d, i); break;
        case ControlKind::group_box: group_box(r, c); break;
        case ControlKind::check_box: check_box(r, c); break;
        case ControlKind::combo_box: combo_box(r, c); break;
        case ControlKind::static_text: static_text(r, c); break;
        case ControlKind::other: break;
        }
    }
    canvas_present(r);
    d.dirty = false;
    return have_font;
}
