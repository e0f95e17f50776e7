// dialog_canvas.cpp - a dialog's canvas on SDL: solid colours through the
// dialog window's software renderer, text with SDL_ttf in the font
// fontconfig finds for the resource's face.
#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <string>

#include "../dialog.h"
#include "sdl_link.h"

namespace {

// Pixel sizes at which a font's text fits the resource's boxes as the
// 8-point sans serif of the dialog's own time did; others get the last.
struct FontSize {
    const char *family;
    int pixels;
};
const FontSize FONT_SIZES[] = {
    {"Liberation Sans", 10}, {"Arimo", 10}, {"DejaVu Sans Condensed", 9}, {"DejaVu Sans", 8}, {"", 9},
};

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

void colour(SDL_Renderer *r, Colour c)
{
    SDL_SetRenderDrawColor(r, c.r, c.g, c.b, 255);
}

}  // namespace

bool canvas_open_font(const DialogResource &resource)
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
    return dialog_font != nullptr;
}

int canvas_text_width(const char *text)
{
    int w = 0, h = 0;
    if (dialog_font && *text)
        TTF_SizeUTF8(dialog_font, text, &w, &h);
    return w;
}

int canvas_font_height()
{
    return dialog_font ? TTF_FontHeight(dialog_font) : 0;
}

void canvas_clear(HostWindow *canvas, Colour c)
{
    colour(canvas->renderer, c);
    SDL_RenderClear(canvas->renderer);
}

void canvas_fill(HostWindow *canvas, const PixelRect &p, Colour c)
{
    colour(canvas->renderer, c);
    SDL_Rect s{p.x, p.y, p.w, p.h};
    SDL_RenderFillRect(canvas->renderer, &s);
}

void canvas_line(HostWindow *canvas, int x0, int y0, int x1, int y1, Colour c)
{
    colour(canvas->renderer, c);
    SDL_RenderDrawLine(canvas->renderer, x0, y0, x1, y1);
}

void canvas_point(HostWindow *canvas, int x, int y, Colour c)
{
    colour(canvas->renderer, c);
    SDL_RenderDrawPoint(canvas->renderer, x, y);
}

void canvas_text(HostWindow *canvas, const std::string &text, int x, int y, Colour c, const PixelRect &clip)
{
    if (!dialog_font || text.empty())
        return;
    SDL_Surface *s = TTF_RenderUTF8_Blended(dialog_font, text.c_str(), {c.r, c.g, c.b, 255});
    if (!s)
        return;
    SDL_Renderer *r = canvas->renderer;
    SDL_Texture *t = SDL_CreateTextureFromSurface(r, s);
    SDL_Rect dst{x, y, s->w, s->h};
    SDL_Rect box{clip.x, clip.y, clip.w, clip.h};
    SDL_Rect visible;
    if (t && SDL_IntersectRect(&dst, &box, &visible)) {
        SDL_Rect src{visible.x - dst.x, visible.y - dst.y, visible.w, visible.h};
        SDL_RenderCopy(r, t, &src, &visible);
    }
    SDL_DestroyTexture(t);
    SDL_FreeSurface(s);
}

void canvas_present(HostWindow *canvas)
{
    SDL_RenderPresent(canvas->renderer);
}
