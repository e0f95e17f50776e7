// present_sdl.cpp - presents into the SDL window behind the program's main
// window, as the accelerator took over the window it was opened on.
#include "present_sdl.h"

#include "host.h"

#include <SDL.h>
#include <cstdio>
#include <win32_sdl.h>

namespace {

struct SdlPresenter : lumivex::Presenter {
    SDL_Window *window = nullptr;
    SDL_Renderer *renderer = nullptr;
    bool own_renderer = false;
    bool fullscreen = false;
    SDL_Rect windowed = {0, 0, 0, 0};  // where the window was before the full screen
    SDL_Texture *texture = nullptr;

    void present(const uint16_t *rgb565, int width, int height) override {
        if (!texture) return;
        SDL_UpdateTexture(texture, nullptr, rgb565, width * 2);
        // The largest picture of the right shape, centred on black.
        int ow = width, oh = height;
        SDL_GetRendererOutputSize(renderer, &ow, &oh);
        SDL_Rect dst;
        if ((int64_t)ow * height <= (int64_t)oh * width) {
            dst.w = ow;
            dst.h = (int)((int64_t)ow * height / width);
        } else {
            dst.h = oh;
            dst.w = (int)((int64_t)oh * width / height);
        }
        dst.x = (ow - dst.w) / 2;
        dst.y = (oh - dst.h) / 2;
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, texture, nullptr, &dst);
        SDL_RenderPresent(renderer);
    }

    void close() override {
        if (texture) SDL_DestroyTexture(texture);
        texture = nullptr;
        if (own_renderer && renderer) SDL_DestroyRenderer(renderer);
        renderer = nullptr;
        if (fullscreen && window) {
            SDL_SetWindowFullscreen(window, 0);
            SDL_SetWindowBordered(window, SDL_TRUE);
            SDL_SetWindowSize(window, windowed.w, windowed.h);
            SDL_SetWindowPosition(window, windowed.x, windowed.y);
        }
        window = nullptr;
    }

    ~SdlPresenter() override { close(); }
};

}  // namespace

// Covers the window's display from its corner. Done by hand before the
// full-screen request: without a window manager (a bare X server) the request
// alone leaves the window where and as large as it was.
static bool cover_display(SdlPresenter &p) {
    SDL_GetWindowPosition(p.window, &p.windowed.x, &p.windowed.y);
    SDL_GetWindowSize(p.window, &p.windowed.w, &p.windowed.h);
    SDL_Rect display;
    if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(p.window), &display) == 0) {
        SDL_SetWindowBordered(p.window, SDL_FALSE);
        SDL_SetWindowPosition(p.window, display.x, display.y);
        SDL_SetWindowSize(p.window, display.w, display.h);
    }
    return SDL_SetWindowFullscreen(p.window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
}

// Sizes the window at the scale asked for, or at the largest that fits the
// screen (said once), and centres it.
static void place_window(SDL_Window *window, int scale) {
    int display = SDL_GetWindowDisplayIndex(window);
    SDL_Rect room;
    if (display >= 0 && SDL_GetDisplayUsableBounds(display, &room) == 0) {
        int fits = scale;
        while (fits > 1 && (lumivex::SCREEN_WIDTH * fits > room.w || lumivex::SCREEN_HEIGHT * fits > room.h))
            --fits;
        if (fits != scale)
            std::fprintf(stderr,
                         "lumivex glide: a %dx%d window does not fit the %dx%d screen; "
                         "using LUMIVEX_SCALE=%d\n",
                         lumivex::SCREEN_WIDTH * scale, lumivex::SCREEN_HEIGHT * scale, room.w, room.h, fits);
        scale = fits;
    }
    SDL_SetWindowSize(window, lumivex::SCREEN_WIDTH * scale, lumivex::SCREEN_HEIGHT * scale);
    if (display >= 0)
        SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                              SDL_WINDOWPOS_CENTERED_DISPLAY(display));
}

std::unique_ptr<lumivex::Presenter> open_sdl_presenter(SDL_Window *window, bool fullscreen, int scale) {
    if (!window) return nullptr;
    auto p = std::make_unique<SdlPresenter>();
    p->window = window;
    // The renderer comes first: making one may recreate the window, which
    // puts it back where it was created and would undo the placing.
    // The window may already have a renderer (the window layer's); share it.
    p->renderer = SDL_GetRenderer(window);
    if (!p->renderer) {
        p->renderer = SDL_CreateRenderer(window, -1, 0);
        p->own_renderer = p->renderer != nullptr;
    }
    if (!p->renderer) return nullptr;
    p->fullscreen = fullscreen;
    if (fullscreen) {
        if (!cover_display(*p)) {
            p->close();
            return nullptr;
        }
    } else {
        place_window(window, scale);
    }
    p->texture = SDL_CreateTexture(p->renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                   lumivex::SCREEN_WIDTH, lumivex::SCREEN_HEIGHT);
    if (!p->texture) {
        p->close();
        return nullptr;
    }
    // Whole-number window scales keep their pixels sharp; the full screen's
    // odd scale is smoothed.
    SDL_SetTextureScaleMode(p->texture, fullscreen ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    return p;
}

std::unique_ptr<lumivex::Presenter> open_host_presenter(FxU32 hwnd, bool fullscreen, int scale) {
    // Without a screen the open fails as a board without a monitor would,
    // rather than showing frames nobody can see.
    if (!win32_have_display()) {
        std::fprintf(stderr, "lumivex glide: no display to show the frames on; "
                             "LUMIVEX_OUTPUT=offscreen plays the show without one\n");
        return nullptr;
    }
    return open_sdl_presenter(win32_sdl_window((HWND)(uintptr_t)hwnd), fullscreen, scale);
}
