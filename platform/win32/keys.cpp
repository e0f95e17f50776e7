// Keyboard translation. Scan codes are those of the PC keyboard's set 1; an
// "extended" key is one whose code comes after the 0xE0 prefix.
#include "keys.h"

#include <SDL_scancode.h>

namespace {

struct KeyCode {
    unsigned char vk;
    unsigned char scan;
    bool extended;
};

KeyCode key_code(int sc)
{
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) {
        static const unsigned char letters[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                                  0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                                  0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
        int i = sc - SDL_SCANCODE_A;
        return {static_cast<unsigned char>('A' + i), letters[i], false};
    }
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_0) {  // 1..9, then 0
        int i = sc - SDL_SCANCODE_1;
        return {static_cast<unsigned char>(i == 9 ? '0' : '1' + i), static_cast<unsigned char>(0x02 + i),
                false};
    }
    if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F10) {
        int i = sc - SDL_SCANCODE_F1;
        return {static_cast<unsigned char>(0x70 + i), static_cast<unsigned char>(0x3B + i), false};
    }
    switch (sc) {
    case SDL_SCANCODE_RETURN: return {VK_RETURN, 0x1C, false};
    case SDL_SCANCODE_ESCAPE: return {VK_ESCAPE, 0x01, false};
    case SDL_SCANCODE_BACKSPACE: return {VK_BACK, 0x0E, false};
    case SDL_SCANCODE_TAB: return {VK_TAB, 0x0F, false};
    case SDL_SCANCODE_SPACE: return {VK_SPACE, 0x39, false};
    case SDL_SCANCODE_MINUS: return {0xBD, 0x0C, false};
    case SDL_SCANCODE_EQUALS: return {0xBB, 0x0D, false};
    case SDL_SCANCODE_LEFTBRACKET: return {0xDB, 0x1A, false};
    case SDL_SCANCODE_RIGHTBRACKET: return {0xDD, 0x1B, false};
    case SDL_SCANCODE_BACKSLASH: return {0xDC, 0x2B, false};
    case SDL_SCANCODE_SEMICOLON: return {0xBA, 0x27, false};
    case SDL_SCANCODE_APOSTROPHE: return {0xDE, 0x28, false};
    case SDL_SCANCODE_GRAVE: return {0xC0, 0x29, false};
    case SDL_SCANCODE_COMMA: return {0xBC, 0x33, false};
    case SDL_SCANCODE_PERIOD: return {0xBE, 0x34, false};
    case SDL_SCANCODE_SLASH: return {0xBF, 0x35, false};
    case SDL_SCANCODE_NONUSBACKSLASH: return {0xE2, 0x56, false};
    case SDL_SCANCODE_CAPSLOCK: return {0x14, 0x3A, false};
    case SDL_SCANCODE_F11: return {0x7A, 0x57, false};
    case SDL_SCANCODE_F12: return {0x7B, 0x58, false};
    case SDL_SCANCODE_PRINTSCREEN: return {0x2C, 0x37, true};
    case SDL_SCANCODE_SCROLLLOCK: return {0x91, 0x46, false};
    case SDL_SCANCODE_PAUSE: return {0x13, 0x45, false};
    case SDL_SCANCODE_INSERT: return {0x2D, 0x52, true};
    case SDL_SCANCODE_HOME: return {0x24, 0x47, true};
    case SDL_SCANCODE_PAGEUP: return {0x21, 0x49, true};
    case SDL_SCANCODE_DELETE: return {0x2E, 0x53, true};
    case SDL_SCANCODE_END: return {0x23, 0x4F, true};
    case SDL_SCANCODE_PAGEDOWN: return {0x22, 0x51, true};
    case SDL_SCANCODE_RIGHT: return {VK_RIGHT, 0x4D, true};
    case SDL_SCANCODE_LEFT: return {VK_LEFT, 0x4B, true};
    case SDL_SCANCODE_DOWN: return {VK_DOWN, 0x50, true};
    case SDL_SCANCODE_UP: return {VK_UP, 0x48, true};
    case SDL_SCANCODE_NUMLOCKCLEAR: return {0x90, 0x45, true};
    case SDL_SCANCODE_KP_DIVIDE: return {0x6F, 0x35, true};
    case SDL_SCANCODE_KP_MULTIPLY: return {0x6A, 0x37, false};
    case SDL_SCANCODE_KP_MINUS: return {0x6D, 0x4A, false};
    case SDL_SCANCODE_KP_PLUS: return {0x6B, 0x4E, false};
    case SDL_SCANCODE_KP_ENTER: return {VK_RETURN, 0x1C, true};
    case SDL_SCANCODE_KP_1: return {0x61, 0x4F, false};
    case SDL_SCANCODE_KP_2: return {0x62, 0x50, false};
    case SDL_SCANCODE_KP_3: return {0x63, 0x51, false};
    case SDL_SCANCODE_KP_4: return {0x64, 0x4B, false};
    case SDL_SCANCODE_KP_5: return {0x65, 0x4C, false};
    case SDL_SCANCODE_KP_6: return {0x66, 0x4D, false};
    case SDL_SCANCODE_KP_7: return {0x67, 0x47, false};
    case SDL_SCANCODE_KP_8: return {0x68, 0x48, false};
    case SDL_SCANCODE_KP_9: return {0x69, 0x49, false};
    case SDL_SCANCODE_KP_0: return {0x60, 0x52, false};
    case SDL_SCANCODE_KP_PERIOD: return {0x6E, 0x53, false};
    case SDL_SCANCODE_LCTRL: return {VK_CONTROL, 0x1D, false};
    case SDL_SCANCODE_RCTRL: return {VK_CONTROL, 0x1D, true};
    case SDL_SCANCODE_LSHIFT: return {VK_SHIFT, 0x2A, false};
    case SDL_SCANCODE_RSHIFT: return {VK_SHIFT, 0x36, false};
    case SDL_SCANCODE_LALT: return {VK_MENU, 0x38, false};
    case SDL_SCANCODE_RALT: return {VK_MENU, 0x38, true};
    case SDL_SCANCODE_LGUI: return {0x5B, 0x5B, true};
    case SDL_SCANCODE_RGUI: return {0x5C, 0x5C, true};
    case SDL_SCANCODE_APPLICATION: return {0x5D, 0x5D, true};
    default: return {0xFF, 0x00, false};
    }
}

}  // namespace

KeyMessage key_message(int sdl_scancode, bool down, bool repeat, bool alt, bool ctrl)
{
    KeyCode k = key_code(sdl_scancode);
    // Alt without Ctrl (Ctrl+Alt is AltGr), Alt itself and F10 are system keys.
    bool system = (alt && !ctrl) || k.vk == VK_MENU || k.vk == VK_F10;
    DWORD lp = 1;  // repeat count
    lp |= static_cast<DWORD>(k.scan) << 16;
    if (k.extended)
        lp |= 1u << 24;
    if (alt)
        lp |= 1u << 29;  // context code: Alt is down
    if (!down || repeat)
        lp |= 1u << 30;  // the key was down before
    if (!down)
        lp |= 1u << 31;  // transition: released
    KeyMessage m;
    m.message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    m.vk = k.vk;
    m.lParam = static_cast<LPARAM>(lp);
    return m;
}

int key_character(int vk, bool shift)
{
    if (vk >= 'A' && vk <= 'Z')
        return shift ? vk : vk - 'A' + 'a';
    if (vk >= '0' && vk <= '9')
        return shift ? 0 : vk;
    switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_ESCAPE: return 0x1B;
    case VK_BACK: return 0x08;
    case VK_TAB: return '\t';
    default: return 0;
    }
}
