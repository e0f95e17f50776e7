// Drawing a dialog in the classic grey look: raised buttons, etched group
// boxes, sunken fields, embossed grey text on disabled controls.
#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <string>

#include "dialog.h"
#include "sdl/sdl_link.h"

namespace {

struct Colour {
    Uint8 r, g, b;
};
const Colour FACE{0xC0, 0xC0, 0xC0};
const Colour HIGHLIGHT{0xFF, 0xFF, 0xFF};
const Colour LIGHT{0xDF, 0xDF, 0xDF};
const Colour SHADOW{0x80, 0x80, 0x80};
const Colour DARK{0x00, 0x00, 0x00};
const Colour TEXT{0x00, 0x00, 0x00};

// Pixel sizes at which a font's text fits the resource's boxes as the
// 8-point sans serif of the dialog's own time did; others get the last.
struct FontSize {
    const char *family;
    int pixels;
};
const FontSize FONT_SIZES[] = {
    {"Liberation Sans", 10}, {"Arimo", 10}, {"DejaVu Sans Condensed", 9}, {"DejaVu Sans", 8}, {"", 9},
};
const int LINE_HEIGHT = 13;  // the system font's cell height

// The font file fontconfig offers for the resource's face: the face itself
// where the system has it, else one made to its metrics (fontconfig maps
// Arial to Liberation Sans), else the system's sans serif.
std::string find_font_file(const std::string &face, int *pixels)
{
    std::string path;
    if (!FcInit())
        return path;
    FcPattern *want = FcPatternCreate();
    for (const char *family : {face.c_str(), "Arial", "sans-serif"})
        FcPatternAddString(want, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family));
    FcPatternAddInteger(want, FC_WEIGHT, FC_WEIGHT_REGULAR);
    FcPatternAddInteger(want, FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, want, FcMatchPattern);
    FcDefaultSubstitute(want);
    FcResult result;
    FcPattern *match = FcFontMatch(nullptr, want, &result);
    FcChar8 *file = nullptr, *family = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        path = reinterpret_cast<const char *>(file);
        FcPatternGetString(match, FC_FAMILY, 0, &family);
        const FontSize *size = FONT_SIZES;
        while (*size->family &&
               !(family && std::string(size->family) == reinterpret_cast<const char *>(family)))
            ++size;
        *pixels = size->pixels;
    }
    if (match)
        FcPatternDestroy(match);
    FcPatternDestroy(want);
    return path;
}

TTF_Font *dialog_font = nullptr;

// Opens the font of the dialog's resource, once for the program.
TTF_Font *open_font(const DialogResource &resource)
{
    static bool tried = false;
    if (!tried) {
        tried = true;
        int pixels = 0;
        std::string path = find_font_file(resource.font_name, &pixels);
        if (!path.empty() && (TTF_WasInit() || TTF_Init() == 0))
            dialog_font = TTF_OpenFont(path.c_str(), pixels);
        if (!dialog_font)
            SDL_Log("lumivex: no font found for the dialog (install fonts-liberation)");
    }
    return dialog_font;
}

TTF_Font *font()
{
    return dialog_font;
}

void colour(SDL_Renderer *r, Colour c)
{
    SDL_SetRenderDrawColor(r, c.r, c.g, c.b, 255);
}

void fill(SDL_Renderer *r, const PixelRect &p, Colour c)
{
    colour(r, c);
    SDL_Rect s{p.x, p.y, p.w, p.h};
    SDL_RenderFillRect(r, &s);
}

void hline(SDL_Renderer *r, int x0, int x1, int y, Colour c)
{
    colour(r, c);
    SDL_RenderDrawLine(r, x0, y, x1, y);
}

void vline(SDL_Renderer *r, int x, int y0, int y1, Colour c)
{
    colour(r, c);
    SDL_RenderDrawLine(r, x, y0, x, y1);
}

// A one-pixel frame with one colour on the top and left, another on the
// bottom and right: the bricks of every 3-D edge.
void edge(SDL_Renderer *r, const PixelRect &p, Colour top_left, Colour bottom_right)
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

void raised(SDL_Renderer *r, const PixelRect &p)
{
    edge(r, p, HIGHLIGHT, DARK);
    edge(r, inset(p, 1), LIGHT, SHADOW);
}

void sunken(SDL_Renderer *r, const PixelRect &p)
{
    edge(r, p, SHADOW, HIGHLIGHT);
    edge(r, inset(p, 1), DARK, LIGHT);
}

int text_width(const char *text)
{
    int w = 0, h = 0;
    if (font() && *text)
        TTF_SizeUTF8(font(), text, &w, &h);
    return w;
}

// Text with its cell's top at y, clipped to `clip`.
void text_at(SDL_Renderer *r, const std::string &text, int x, int y, Colour c, const PixelRect &clip)
{
    if (!font() || text.empty())
        return;
    SDL_Surface *s = TTF_RenderUTF8_Blended(font(), text.c_str(), {c.r, c.g, c.b, 255});
    if (!s)
        return;
    SDL_Texture *t = SDL_CreateTextureFromSurface(r, s);
    int top = y + (LINE_HEIGHT - TTF_FontHeight(font())) / 2;
    SDL_Rect dst{x, top, s->w, s->h};
    SDL_Rect box{clip.x, clip.y, clip.w, clip.h};
    SDL_Rect visible;
    if (t && SDL_IntersectRect(&dst, &box, &visible)) {
        SDL_Rect src{visible.x - dst.x, visible.y - dst.y, visible.w, visible.h};
        SDL_RenderCopy(r, t, &src, &visible);
    }
    SDL_DestroyTexture(t);
    SDL_FreeSurface(s);
}

// Enabled text in black; disabled text embossed: white, then grey over it
// one pixel up and to the left.
void label(SDL_Renderer *r, const std::string &text, int x, int y, bool enabled, const PixelRect &clip)
{
    if (enabled) {
        text_at(r, text, x, y, TEXT, clip);
    } else {
        text_at(r, text, x + 1, y + 1, HIGHLIGHT, clip);
        text_at(r, text, x, y, SHADOW, clip);
    }
}

void focus_rect(SDL_Renderer *r, const PixelRect &p)
{
    colour(r, DARK);
    int x1 = p.x + p.w - 1, y1 = p.y + p.h - 1;
    for (int x = p.x; x <= x1; x += 2) {
        SDL_RenderDrawPoint(r, x, p.y);
        SDL_RenderDrawPoint(r, x, y1);
    }
    for (int y = p.y; y <= y1; y += 2) {
        SDL_RenderDrawPoint(r, p.x, y);
        SDL_RenderDrawPoint(r, x1, y);
    }
}

void push_button(SDL_Renderer *r, const DialogState &d, int i)
{
    const DialogControl &c = d.controls[i];
    bool is_default = dialog_default_button(d) == i && c.enabled;
    bool down = d.pressed == i && d.pressed_inside;
    PixelRect p = c.rect;
    fill(r, p, FACE);
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
    int tx = c.rect.x + (c.rect.w - text_width(text.c_str())) / 2 + shift;
    int ty = c.rect.y + (c.rect.h - LINE_HEIGHT) / 2 + shift;
    label(r, text, tx, ty, c.enabled, inset(c.rect, 2));
    if (d.focus == i)
        focus_rect(r, inset(c.rect, 4));
}

void group_box(SDL_Renderer *r, const DialogControl &c)
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
    int w = text_width(text.c_str());
    bool centre = (c.resource->style & BS_CENTER) == BS_CENTER;
    int tx = centre ? p.x + (p.w - w) / 2 : p.x + 9;
    fill(r, {tx - 2, p.y, w + 4, LINE_HEIGHT}, FACE);
    label(r, text, tx, p.y, c.enabled, p);
}

void check_box(SDL_Renderer *r, const DialogControl &c)
{
    const int box = 13;
    const PixelRect &p = c.rect;
    PixelRect b{p.x, p.y + (p.h - box) / 2, box, box};
    fill(r, inset(b, 2), c.enabled ? HIGHLIGHT : FACE);
    sunken(r, b);
    std::string text = c.resource->text;
    int left = p.x + box + 4;
    int room = p.x + p.w - left;
    int w = text_width(text.c_str());
    bool centre = (c.resource->style & BS_CENTER) == BS_CENTER;
    int tx = centre ? left + (room - w) / 2 : left;
    label(r, text, tx, p.y + (p.h - LINE_HEIGHT) / 2, c.enabled, p);
}

void combo_box(SDL_Renderer *r, const DialogControl &c)
{
    // The resource's height includes the dropped-down list; the field itself
    // is as high as the font makes it.
    const int field_height = 21;
    PixelRect p{c.rect.x, c.rect.y, c.rect.w, c.rect.h < field_height ? c.rect.h : field_height};
    fill(r, inset(p, 2), c.enabled ? HIGHLIGHT : FACE);
    sunken(r, p);
    const int button_width = 16;
    PixelRect b{p.x + p.w - 2 - button_width, p.y + 2, button_width, p.h - 4};
    fill(r, b, FACE);
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
void static_text(SDL_Renderer *r, const DialogControl &c)
{
    std::string rest = c.resource->text;
    int y = c.rect.y;
    while (!rest.empty() && y < c.rect.y + c.rect.h) {
        size_t end = rest.size();
        while (text_width(rest.substr(0, end).c_str()) > c.rect.w) {
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

bool dialog_draw(DialogState &d, HostWindow *canvas)
{
    SDL_Renderer *r = canvas->renderer;
    if (!r)
        return false;
    open_font(*d.resource);
    colour(r, FACE);
    SDL_RenderClear(r);
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
    SDL_RenderPresent(r);
    d.dirty = false;
    return font() != nullptr;
}
