// present_web.cpp - presents on the page's canvas in a browser (page.js
// draws it), scaled to the page with the picture's aspect kept, or in a
// window-sized box of a whole factor.
#include "host.h"

#include <windows.h>

extern "C" {
void lumivex_canvas_open(int fullscreen, int scale);
void lumivex_present(const uint32_t *xrgb, int width, int height);
}

namespace {

struct WebPresenter : lumivex::Presenter {
    void present(const uint32_t *xrgb, int width, int height) override
    {
        lumivex_present(xrgb, width, height);
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
