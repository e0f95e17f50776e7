// SDL's events become window messages: keys and closing are posted,
// activation and moves are sent during the peek. SDL's dummy video.
#include <gtest/gtest.h>

#include <SDL.h>

#include <win32_sdl.h>

#include "recorder.h"

namespace {

class SdlEvents : public ::testing::Test {
protected:
    void SetUp() override
    {
        hwnd = make_recording_window("Lumivex by Tobrek");
        ShowWindow(hwnd, SW_SHOWNORMAL);
        sdl = win32_sdl_window(hwnd);
        ASSERT_NE(sdl, nullptr) << SDL_GetError();
        drain();
        recorded().clear();
    }
    void TearDown() override
    {
        DestroyWindow(hwnd);
        drain();
    }
    void drain()
    {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    void push_key(SDL_Scancode sc, Uint16 mod, bool repeat)
    {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.windowID = SDL_GetWindowID(sdl);
        e.key.state = SDL_PRESSED;
        e.key.repeat = repeat;
        e.key.keysym.scancode = sc;
        e.key.keysym.mod = mod;
        SDL_PushEvent(&e);
    }
    void push_window(Uint8 event, int a = 0, int b = 0)
    {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.windowID = SDL_GetWindowID(sdl);
        e.window.event = event;
        e.window.data1 = a;
        e.window.data2 = b;
        SDL_PushEvent(&e);
    }
    HWND hwnd = nullptr;
    SDL_Window *sdl = nullptr;
};

TEST_F(SdlEvents, KeysAndCloseArePostedOnePerPeek)
{
    push_key(SDL_SCANCODE_A, KMOD_NONE, false);
    push_key(SDL_SCANCODE_A, KMOD_NONE, true);
    push_key(SDL_SCANCODE_X, KMOD_LALT, false);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.hwnd, hwnd);
    EXPECT_EQ(m.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(m.wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(m.lParam & (1 << 30), 0);
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_NE(m.lParam & (1 << 30), 0);  // auto-repeat
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_SYSKEYDOWN));
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(recorded().empty());  // posted, not sent

    // The close button posts WM_CLOSE.
    push_window(SDL_WINDOWEVENT_CLOSE);
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_CLOSE));
    DispatchMessageA(&m);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(SdlEvents, FocusAndMovesAreSentWithTheMinimisedFlag)
{
    push_window(SDL_WINDOWEVENT_FOCUS_LOST);
    push_window(SDL_WINDOWEVENT_MINIMIZED);
    push_window(SDL_WINDOWEVENT_FOCUS_GAINED);
    push_window(SDL_WINDOWEVENT_MOVED, 123, 45);
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));  // all sent, none queued
    std::vector<Recorded> activations, moves;
    for (const Recorded &r : recorded()) {
        if (r.message == WM_ACTIVATE)
            activations.push_back(r);
        if (r.message == WM_MOVE)
            moves.push_back(r);
    }
    ASSERT_EQ(activations.size(), 2u);
    EXPECT_EQ(LOWORD(activations[0].wParam), WA_INACTIVE);
    EXPECT_EQ(LOWORD(activations[1].wParam), WA_ACTIVE);
    EXPECT_NE(HIWORD(activations[1].wParam), 0);  // activated while minimised
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(LOWORD(moves[0].lParam), 123);
    EXPECT_EQ(HIWORD(moves[0].lParam), 45);
}

}  // namespace
