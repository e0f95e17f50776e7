// present_sdl.cpp - presents into the SDL window behind the program's main
// window, as the accelerator took over the window it was opened on.
#include "../../host.h"

#include <SDL.h>
#include <cstdio>
#include <win32_sdl.h>

#include <cstring>

namespace {

// The largest picture of the right shape in an output of ow x oh, centred.
SDL_Rect fitted(int width, int height, int ow, int oh)
{
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
    return dst;
}

// Whole-number enlargements keep their pixels sharp; the full screen's odd
// scale, and a picture finer than the window, are smoothed.
bool smoothed(bool fullscreen, const SDL_Rect &dst, int width)
{
    return fullscreen || dst.w < width;
}

// With a GPU, a renderer uploads the frame and scales it there. Without one
// the picture is made in the window's own surface (X11's shared memory),
// where a software renderer would copy it into a texture, then the texture
// onto that same surface; a surface of another size or format takes a blit.
struct SdlPresenter : lumivex::Presenter {
    HWND owner = nullptr;  // the program's window, whose Alt+Enter switches the output
    SDL_Window *window = nullptr;
    SDL_Renderer *renderer = nullptr;  // null: the window's surface
    bool own_renderer = false;
    bool fullscreen = false;
    bool placed = false;               // sized and centred as a window of ours
    int scale = 1;                     // asked for the window
    SDL_Rect windowed = {0, 0, 0, 0};  // where the window was before the full screen
    SDL_Texture *texture = nullptr;
    int texture_width = lumivex::SCREEN_WIDTH, texture_height = lumivex::SCREEN_HEIGHT;
    SDL_Surface *picture = nullptr;  // the frame's pixels as a surface, for scaling
    uint32_t *lent = nullptr;        // the window surface's pixels, as frame_memory gave them

    // The window's surface itself, when it takes the frame as it stands.
    uint32_t *frame_memory(int width, int height) override
    {
        lent = nullptr;
        on_display([&] {
            SDL_Surface *screen = renderer ? nullptr : SDL_GetWindowSurface(window);
            if (screen && screen->w == width && screen->h == height && screen->pitch == width * 4 &&
                screen->format->format == SDL_PIXELFORMAT_RGB888 && !SDL_MUSTLOCK(screen))
                lent = static_cast<uint32_t *>(screen->pixels);
        });
        return lent;
    }

    void present(const uint32_t *xrgb, int width, int height) override
    {
        // A lost display takes no more frames; its loss ends the show.
        on_display([&] {
            if (renderer)
                render(xrgb, width, height);
            else
                blit(xrgb, width, height);
        });
    }

    void render(const uint32_t *xrgb, int width, int height)
    {
        if (!texture)
            return;
        if (width != texture_width || height != texture_height) {  // drawn at a higher resolution
            SDL_Texture *sized = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888,
                                                   SDL_TEXTUREACCESS_STREAMING, width, height);
            if (!sized)
                return;
            SDL_DestroyTexture(texture);
            texture = sized;
            texture_width = width;
            texture_height = height;
        }
        SDL_UpdateTexture(texture, nullptr, xrgb, width * 4);
        int ow = width, oh = height;
        SDL_GetRendererOutputSize(renderer, &ow, &oh);
        SDL_Rect dst = fitted(width, height, ow, oh);
        SDL_SetTextureScaleMode(texture, smoothed(fullscreen, dst, width) ? SDL_ScaleModeLinear
                                                                          : SDL_ScaleModeNearest);
        // Black only where the picture leaves bars: filling the whole window
        // under it would cost as much as the copy itself.
        if (dst.w != ow || dst.h != oh) {
            SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
            SDL_RenderClear(renderer);
        }
        SDL_RenderCopy(renderer, texture, nullptr, &dst);
        SDL_RenderPresent(renderer);
    }

    void blit(const uint32_t *xrgb, int width, int height)
    {
        SDL_Surface *screen = SDL_GetWindowSurface(window);
        if (!screen)
            return;
        if (xrgb == lent) {
            // Made in the surface; unless the window changed since and the
            // surface with it, when the frame is lost.
            if (screen->pixels == lent)
                SDL_UpdateWindowSurface(window);
            return;
        }
        SDL_Rect dst = fitted(width, height, screen->w, screen->h);
        if (!picture || picture->pixels != xrgb || picture->w != width || picture->h != height) {
            SDL_FreeSurface(picture);
            picture = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t *>(xrgb), width, height, 32,
                                                         width * 4, SDL_PIXELFORMAT_RGB888);
            if (!picture)
                return;
        }
        SDL_FillRect(screen, nullptr, 0);
        if (smoothed(fullscreen, dst, width) && screen->format->format == SDL_PIXELFORMAT_RGB888)
            SDL_SoftStretchLinear(picture, nullptr, screen, &dst);
        else
            SDL_BlitScaled(picture, nullptr, screen, &dst);
        SDL_UpdateWindowSurface(window);
    }

    void close() override;

    ~SdlPresenter() override { close(); }
};

// True when SDL's renderer draws with OpenGL that is itself drawn by the
// processor (Mesa's llvmpipe, softpipe or swrast, as on a virtual X server):
// then every frame would be uploaded and scaled twice over on the CPU.
bool gl_on_the_processor(SDL_Renderer *renderer)
{
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0)
        return false;
    using GetString = const unsigned char *(*)(unsigned int);
    auto get_string = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned int GL_RENDERER = 0x1F01;
    const char *name = get_string ? reinterpret_cast<const char *>(get_string(GL_RENDERER)) : nullptr;
    if (!name)
        return false;
    for (const char *soft : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"})
        if (std::strstr(name, soft))
            return true;
    return false;
}

// A renderer on the GPU, or null where there is none: then the window's own
// surface, which costs a fraction of an emulated GPU's work.
SDL_Renderer *open_gpu_renderer(SDL_Window *window)
{
    SDL_Renderer *renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (renderer && !gl_on_the_processor(renderer))
        return renderer;
    if (renderer)
        SDL_DestroyRenderer(renderer);
    // The surface in the window system's own memory, not one SDL would
    // itself draw through a renderer.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    return nullptr;
}

}  // namespace

// The scale asked for, or the largest that fits the window's screen (said
// once: the open happens once a run).
static int fitting_scale(SDL_Window *window, int scale)
{
    SDL_Rect room;
    int display = SDL_GetWindowDisplayIndex(window);
    if (display < 0 || SDL_GetDisplayUsableBounds(display, &room) != 0)
        return scale;
    int fits = scale;
    while (fits > 1 && (lumivex::SCREEN_WIDTH * fits > room.w || lumivex::SCREEN_HEIGHT * fits > room.h))
        --fits;
    if (fits != scale)
        std::fprintf(stderr,
                     "lumivex glide: a %dx%d window does not fit the %dx%d screen; using LUMIVEX_SCALE=%d\n",
                     lumivex::SCREEN_WIDTH * scale, lumivex::SCREEN_HEIGHT * scale, room.w, room.h, fits);
    return fits;
}

// Sizes the window at the scale and centres it on its screen.
static void place_window(SDL_Window *window, int scale)
{
    SDL_SetWindowSize(window, lumivex::SCREEN_WIDTH * scale, lumivex::SCREEN_HEIGHT * scale);
    int display = SDL_GetWindowDisplayIndex(window);
    if (display >= 0)
        SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                              SDL_WINDOWPOS_CENTERED_DISPLAY(display));
}

// The window as it was before the full screen, with its pointer.
static void uncover_display(SdlPresenter &p)
{
    SDL_SetWindowFullscreen(p.window, 0);
    SDL_SetWindowBordered(p.window, SDL_TRUE);
    SDL_SetWindowSize(p.window, p.windowed.w, p.windowed.h);
    SDL_SetWindowPosition(p.window, p.windowed.x, p.windowed.y);
    p.fullscreen = false;
    SDL_ShowCursor(SDL_ENABLE);
}

// Covers the window's display from its corner, the pointer hidden. Done by
// hand before the full-screen request: without a window manager (a bare X
// server) the request alone leaves the window where and as large as it was.
static bool cover_display(SdlPresenter &p)
{
    SDL_GetWindowPosition(p.window, &p.windowed.x, &p.windowed.y);
    SDL_GetWindowSize(p.window, &p.windowed.w, &p.windowed.h);
    SDL_Rect display;
    if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(p.window), &display) == 0) {
        SDL_SetWindowBordered(p.window, SDL_FALSE);
        SDL_SetWindowPosition(p.window, display.x, display.y);
        SDL_SetWindowSize(p.window, display.w, display.h);
    }
    p.fullscreen = SDL_SetWindowFullscreen(p.window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
    if (p.fullscreen)
        SDL_ShowCursor(SDL_DISABLE);
    else
        uncover_display(p);  // refused: the window as it was
    return p.fullscreen;
}

// Alt+Enter, between the program's frames; the next frame fills the new
// output. A show that opened full screen gets the window it would have had
// as a window, centred at its scale.
static void switch_output(void *presenter)
{
    auto &p = *static_cast<SdlPresenter *>(presenter);
    if (!p.fullscreen) {
        cover_display(p);
        return;
    }
    uncover_display(p);
    if (!p.placed) {
        place_window(p.window, fitting_scale(p.window, p.scale));
        p.placed = true;
    }
}

void SdlPresenter::close()
{
    if (owner)
        win32_sdl_on_alt_enter(owner, nullptr, nullptr);
    owner = nullptr;
    // A lost display has taken all of it with it.
    on_display([&] {
        if (texture)
            SDL_DestroyTexture(texture);
        SDL_FreeSurface(picture);
        if (own_renderer && renderer)
            SDL_DestroyRenderer(renderer);
        if (fullscreen && window)
            uncover_display(*this);
    });
    texture = nullptr;
    picture = nullptr;
    renderer = nullptr;
    window = nullptr;
}

// The window's renderer, one of our own on the GPU, or else the window's
// surface. The window may already have a renderer (the window layer's); it
// is shared.
static bool attach_renderer(SdlPresenter &p)
{
    p.renderer = SDL_GetRenderer(p.window);
    if (!p.renderer) {
        p.renderer = open_gpu_renderer(p.window);
        p.own_renderer = p.renderer != nullptr;
    }
    return p.renderer || SDL_GetWindowSurface(p.window);
}

// Null when there is no display or the window cannot take a renderer. While
// it presents, the owner's Alt+Enter switches it between the window and the
// full screen.
std::unique_ptr<lumivex::Presenter> open_host_presenter(FxU32 hwnd, bool fullscreen, int scale)
{
    // Without a screen the open fails as a board without a monitor would,
    // rather than showing frames nobody can see.
    if (!win32_have_display()) {
        std::fprintf(stderr, "lumivex glide: no display to show the frames on; "
                             "LUMIVEX_OUTPUT=offscreen plays the show without one\n");
        return nullptr;
    }
    HWND owner = (HWND)(uintptr_t)hwnd;
    SDL_Window *window = win32_sdl_window(owner);
    if (!window)
        return nullptr;
    auto p = std::make_unique<SdlPresenter>();
    p->window = window;
    p->scale = fullscreen ? scale : fitting_scale(window, scale);
    p->placed = !fullscreen;
    // Making a renderer may recreate the window (on X11, for OpenGL) where it
    // was first put, undoing a placing made before. The full screen is made
    // after the renderer; a window is sized before it, so that the renderer's
    // surface has the window's size on every driver, and placed again after.
    bool placed;
    if (fullscreen) {
        placed = attach_renderer(*p) && cover_display(*p);
    } else {
        place_window(window, p->scale);
        placed = attach_renderer(*p);
        place_window(window, p->scale);
    }
    if (placed && p->renderer)
        p->texture = SDL_CreateTexture(p->renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                       lumivex::SCREEN_WIDTH, lumivex::SCREEN_HEIGHT);
    if (!placed || (p->renderer && !p->texture)) {
        p->close();
        return nullptr;
    }
    p->owner = owner;
    win32_sdl_on_alt_enter(owner, switch_output, p.get());
    return p;
}
