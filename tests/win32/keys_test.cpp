// Keys as Win32 sees them: which message, which code, which lParam bits.
#include <gtest/gtest.h>

#include <SDL_scancode.h>

#include "platform/win32/keys.h"

namespace {

const LPARAM EXTENDED = 1 << 24, CONTEXT_ALT = 1 << 29, WAS_DOWN = 1 << 30;

int scan_of(LPARAM lp) { return static_cast<int>((lp >> 16) & 0xFF); }

TEST(Keys, PlainKeyDownHasCodeScanCodeAndRepeatCountOne)
{
    KeyMessage k = key_message(SDL_SCANCODE_A, true, false, false, false);
    EXPECT_EQ(k.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(k.vk, static_cast<WPARAM>('A'));
    EXPECT_EQ(k.lParam & 0xFFFF, 1);
    EXPECT_EQ(scan_of(k.lParam), 0x1E);
    EXPECT_EQ(k.lParam & (EXTENDED | CONTEXT_ALT | WAS_DOWN), 0);
    EXPECT_EQ(key_message(SDL_SCANCODE_0, true, false, false, false).vk, static_cast<WPARAM>('0'));
    EXPECT_EQ(key_message(SDL_SCANCODE_ESCAPE, true, false, false, false).vk, static_cast<WPARAM>(VK_ESCAPE));
}

TEST(Keys, AutoRepeatSaysTheKeyWasDown)
{
    KeyMessage k = key_message(SDL_SCANCODE_SPACE, true, true, false, false);
    EXPECT_EQ(k.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_NE(k.lParam & WAS_DOWN, 0);
}

TEST(Keys, ModifiersAloneAreKeysTooButAltMakesSystemKeys)
{
    EXPECT_EQ(key_message(SDL_SCANCODE_LSHIFT, true, false, false, false).message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(key_message(SDL_SCANCODE_LCTRL, true, false, false, true).vk, static_cast<WPARAM>(VK_CONTROL));
    EXPECT_EQ(key_message(SDL_SCANCODE_LCTRL, true, false, false, true).message, static_cast<UINT>(WM_KEYDOWN));
    KeyMessage alt = key_message(SDL_SCANCODE_LALT, true, false, true, false);
    EXPECT_EQ(alt.message, static_cast<UINT>(WM_SYSKEYDOWN));
    EXPECT_EQ(alt.vk, static_cast<WPARAM>(VK_MENU));
    KeyMessage alt_x = key_message(SDL_SCANCODE_X, true, false, true, false);
    EXPECT_EQ(alt_x.message, static_cast<UINT>(WM_SYSKEYDOWN));
    EXPECT_NE(alt_x.lParam & CONTEXT_ALT, 0);
    EXPECT_EQ(key_message(SDL_SCANCODE_F10, true, false, false, false).message, static_cast<UINT>(WM_SYSKEYDOWN));
    // Ctrl+Alt is AltGr on many keyboards: characters, not system keys.
    EXPECT_EQ(key_message(SDL_SCANCODE_Q, true, false, true, true).message, static_cast<UINT>(WM_KEYDOWN));
}

TEST(Keys, ReleasesAndExtendedKeys)
{
    KeyMessage up = key_message(SDL_SCANCODE_A, false, false, false, false);
    EXPECT_EQ(up.message, static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(static_cast<uint64_t>(up.lParam) >> 30, 3u);  // was down, being released
    KeyMessage right = key_message(SDL_SCANCODE_RIGHT, true, false, false, false);
    EXPECT_EQ(right.vk, static_cast<WPARAM>(VK_RIGHT));
    EXPECT_NE(right.lParam & EXTENDED, 0);
    // A key without a code of its own still arrives.
    KeyMessage odd = key_message(SDL_SCANCODE_AUDIOPLAY, true, false, false, false);
    EXPECT_EQ(odd.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(odd.vk, 0xFFu);
}

}  // namespace
