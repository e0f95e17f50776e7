// present_web.cpp - presents on the page's canvas in a browser (page.js
// draws it), scaled to the page with the picture's aspect kept, or in a
// window-sized box of a whole factor.
//
// The canvas takes bytes R, G, B, A in memory order: the video output makes
// each frame in that order straight into this presenter's memory, which the
// page shows as it stands (a pass of its own over each frame cost some 4%
// of the page's time, a pixel loop in the page's script several times that).
#include "../../host.h"

#include <windows.h>

#include <vector>

extern "C" {
void lumivex_canvas_open(int fullscreen, int scale);
void lumivex_present(const uint32_t *rgba, int width, int height);
}

namespace {

struct WebPresenter : lumivex::Presenter {
    std::vector<uint32_t> rgba;  // the canvas's bytes, one frame

    lumivex::PixelOrder pixel_order() const override { return lumivex::PixelOrder::RGBA; }
    uint32_t *frame_memory(int width, int height) override
    {
        rgba.resize((size_t)width * height);
        return rgba.data();
    }
    void present(const uint32_t *pixels, int width, int height) override
    {
        lumivex_present(pixels, width, height);
    }
    void close() override {}
};

}  // namespace

std::unique_ptr<lumivex::Presenter> open_host_presenter(FxU32 hwnd, bool fullscreen, int scale)
{
    if (!IsWindow((HWND)(uintptr_t)hwnd))
        return nullptr;
    lumivex_canvas_open(fullscreen, scale);
    return std::make_unique<WebPresenter>();
}
