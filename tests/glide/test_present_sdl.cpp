// The SDL presenter on a window of the test's own, where a display exists
// (skipped otherwise): what the window shows after a swap is the frame.
#include "glide_test.h"

#include "platform/glide/present_sdl.h"

#include <SDL.h>

using namespace glide_test;

namespace {

class SdlPresenterTest : public GlideTest {
  protected:
    SDL_Window *window = nullptr;
    void SetUp() override {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) GTEST_SKIP() << "no display: " << SDL_GetError();
        window = SDL_CreateWindow("glide test", 0, 0, 640, 480, SDL_WINDOW_HIDDEN);
        if (!window) GTEST_SKIP() << "no window: " << SDL_GetError();
        GlideTest::SetUp();
    }
    void TearDown() override {
        if (!window) return;
        GlideTest::TearDown();  // closes the presenter before its window goes
        SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
};

}  // namespace

TEST_F(SdlPresenterTest, TheWindowShowsTheSwappedFrame) {
    ASSERT_TRUE(lumivex::glide_set_presenter(open_sdl_presenter(window, false, 2)));
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 960);
    triangle(vertex(0, 0, 0.5f, 255, 0, 0), vertex(640, 0, 0.5f, 0, 255, 0), vertex(0, 480, 0.5f, 0, 0, 255));
    grBufferSwap(2);
    SDL_Renderer *renderer = SDL_GetRenderer(window);
    ASSERT_NE(renderer, nullptr);
    // The renderer's output is the presented picture until the next present.
    std::vector<uint8_t> shown(1280 * 960 * 4);
    ASSERT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_XRGB8888, shown.data(), 1280 * 4), 0)
        << SDL_GetError();
    const uint16_t *front = lumivex::glide_colour_buffer(GR_BUFFER_FRONTBUFFER);
    int wrong = 0;
    for (int y = 0; y < 480; y += 7)
        for (int x = 0; x < 640; x += 7) {
            Rgb c = widen(front[y * 640 + x]);
            const uint8_t *p = &shown[((2 * y) * 1280 + 2 * x) * 4];
            wrong += std::abs(p[2] - c.r) > 8 || std::abs(p[1] - c.g) > 8 || std::abs(p[0] - c.b) > 8;
        }
    EXPECT_EQ(wrong, 0);
}
