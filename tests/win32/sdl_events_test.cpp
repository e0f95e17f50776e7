// sdl_events_test.cpp - SDL's events become window messages: keys and closing
// are posted, activation and moves are sent during the peek. SDL's dummy
// video.
#include <gtest/gtest.h>

#include <SDL.h>

#include <win32_sdl.h>

#include "tests/support/recorder.h"

namespace {

class SdlEvents : public RecordingTest {
  protected:
    void SetUp() override
    {
        RecordingTest::SetUp();
        ShowWindow(hwnd, SW_SHOWNORMAL);
        ASSERT_NE(win32_sdl_window(hwnd), nullptr) << SDL_GetError();
        drain_messages();
        recorded().clear();
    }
    // A key, repeated or not, with modifiers.
    void push(SDL_Scancode key, Uint16 mod = KMOD_NONE, Uint8 repeat = 0)
    {
        SDL_Event e{};
        const SDL_Keysym sym = {key, SDLK_UNKNOWN, mod, 0};
        e.key = {SDL_KEYDOWN, 0, SDL_GetWindowID(win32_sdl_window(hwnd)), SDL_PRESSED, repeat, 0, 0, sym};
        SDL_PushEvent(&e);
    }
    void push_window(Uint8 event, int x = 0, int y = 0)
    {
        SDL_Event e{};
        e.window = {SDL_WINDOWEVENT, 0, SDL_GetWindowID(win32_sdl_window(hwnd)), event, 0, 0, 0, x, y};
        SDL_PushEvent(&e);
    }
};

// Keys and closing are posted, one a peek. Alt+Enter is the display's: it
// switches once per press, held or not, and no message of it reaches the
// program, whoever switches. AltGr+Enter (Ctrl+Alt) is a key like any other.
TEST_F(SdlEvents, KeysAndCloseArePostedOnePerPeekAltEnterSwitchesTheOutput)
{
    int switches = 0;
    win32_sdl_on_alt_enter(
        hwnd, [](void *count) { ++*static_cast<int *>(count); }, &switches);
    push(SDL_SCANCODE_RETURN, KMOD_LALT);
    push(SDL_SCANCODE_RETURN, KMOD_LALT, 1);
    push(SDL_SCANCODE_KP_ENTER, KMOD_RALT);
    push(SDL_SCANCODE_RETURN, KMOD_LALT | KMOD_LCTRL);
    push(SDL_SCANCODE_A);
    push(SDL_SCANCODE_A, KMOD_NONE, 1);
    push(SDL_SCANCODE_X, KMOD_LALT);
    push_window(SDL_WINDOWEVENT_CLOSE);
    const struct {
        UINT message;
        WPARAM key;
        bool repeat;
    } expected[] = {{WM_KEYDOWN, VK_RETURN, false},
                    {WM_KEYDOWN, 'A', false},
                    {WM_KEYDOWN, 'A', true},
                    {WM_SYSKEYDOWN, 'X', false},
                    {WM_CLOSE, 0, false}};
    MSG m, none;
    for (const auto &e : expected) {
        ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
        EXPECT_EQ(m.hwnd, hwnd);
        EXPECT_EQ(m.message, e.message);
        EXPECT_EQ(m.wParam, e.key);
        EXPECT_EQ((m.lParam & (1 << 30)) != 0, e.repeat);
    }
    EXPECT_TRUE(recorded().empty());  // posted, not sent
    win32_sdl_on_alt_enter(hwnd, nullptr, nullptr);
    push(SDL_SCANCODE_RETURN, KMOD_LALT);
    EXPECT_FALSE(PeekMessageA(&none, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(switches, 2);
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
    std::vector<std::pair<UINT, WPARAM>> seen;
    for (const Recorded &r : recorded())
        if (r.message == WM_ACTIVATE || r.message == WM_MOVE)
            seen.push_back({r.message, r.message == WM_MOVE ? WPARAM(r.lParam) : r.wParam});
    // Activated while minimised; moved to 123, 45.
    EXPECT_EQ(seen, (std::vector<std::pair<UINT, WPARAM>>{{WM_ACTIVATE, WA_INACTIVE},
                                                          {WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 1)},
                                                          {WM_MOVE, MAKELPARAM(123, 45)}}));
}

}  // namespace
