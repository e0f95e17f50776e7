// present_web.cpp - presents on the page's canvas in a browser (page.js
// draws it), scaled to the page with the picture's aspect kept, or in a
// window-sized box of a whole factor.
//
// The canvas takes bytes R, G, B, A in memory order. Each frame is turned
// into that order here, four pixels at a time on WebAssembly's SIMD, and the
// page shows it straight from this memory; a pixel loop in the page's script
// costs several times as much.
#include "../../host.h"

#include <windows.h>

#include <wasm_simd128.h>

#include <vector>

extern "C" {
void lumivex_canvas_open(int fullscreen, int scale);
void lumivex_present(const uint32_t *rgba, int width, int height);
}

namespace {

struct WebPresenter : lumivex::Presenter {
    std::vector<uint32_t> rgba;  // the canvas's bytes, one frame

    void present(const uint32_t *xrgb, int width, int height) override
    {
        // Every frame is a whole number of groups of four: 640 x 480 times
        // the resolution.
        rgba.resize((size_t)width * height);
        uint32_t *out = rgba.data();
        const v128_t opaque = wasm_i32x4_splat((int32_t)0xFF000000);
        for (size_t i = 0, n = rgba.size(); i < n; i += 4) {
            // Each 0x00RRGGBB is the bytes B, G, R, 0.
            const v128_t p = wasm_v128_load(xrgb + i);
            const v128_t q = wasm_i8x16_shuffle(p, p, 2, 1, 0, 3, 6, 5, 4, 7, 10, 9, 8, 11, 14, 13, 12, 15);
            wasm_v128_store(out + i, wasm_v128_or(q, opaque));
        }
        lumivex_present(out, width, height);
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
