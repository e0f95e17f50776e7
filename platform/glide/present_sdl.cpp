// present_sdl.cpp - presents into the SDL window behind the program's main
// window, as the accelerator took over the window it was opened on.
#include "present_sdl.h"

#include "host.h"

#include <SDL.h>
#include <win32_sdl.h>

namespace {

struct SdlPresenter : lumivex::Presenter {
    SDL_Window *window = nullptr;
    SDL_Renderer *renderer = nullptr;
    bool own_renderer = false;
    bool fullscreen = false;
    SDL_Rect windowed = {0, 0, 0, 0};  // where the window was before the full screen
    SDL_Texture *texture = nullptr;

    void present(const uint32_t *xrgb, int width, int height) override {
        if (!texture) return;
        SDL_UpdateTexture(texture, nullptr, xrgb, width * 4);
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

std::unique_ptr<lumivex::Presenter> open_sdl_presenter(SDL_Window *window, bool fullscreen, int scale) {
    if (!window) return nullptr;
    auto p = std::make_unique<SdlPresenter>();
    p->window = window;
    p->fullscreen = fullscreen;
    if (fullscreen) {
        // The window is first made to cover its display by hand: without a
        // window manager (a bare X server) the full-screen request alone
        // leaves the window at its old size.
        SDL_GetWindowPosition(window, &p->windowed.x, &p->windowed.y);
        SDL_GetWindowSize(window, &p->windowed.w, &p->windowed.h);
        SDL_Rect display;
        if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window), &display) == 0) {
            SDL_SetWindowBordered(window, SDL_FALSE);
            SDL_SetWindowPosition(window, display.x, display.y);
            SDL_SetWindowSize(window, display.w, display.h);
        }
        if (SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
            p->close();
            return nullptr;
        }
    } else {
        SDL_SetWindowSize(window, lumivex::SCREEN_WIDTH * scale, lumivex::SCREEN_HEIGHT * scale);
    }
    // The window may already have a renderer (the window layer's); share it.
    p->renderer = SDL_GetRenderer(window);
    if (!p->renderer) {
        p->renderer = SDL_CreateRenderer(window, -1, 0);
        p->own_renderer = true;
    }
    if (!p->renderer) {
        p->own_renderer = false;
        p->close();
        return nullptr;
    }
    p->texture = SDL_CreateTexture(p->renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
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
    return open_sdl_presenter(win32_sdl_window((HWND)(uintptr_t)hwnd), fullscreen, scale);
}
