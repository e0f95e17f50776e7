// keys.cpp - keyboard translation. Scan codes are those of the PC keyboard's
// set 1; an "extended" key is one whose code comes after the 0xE0 prefix.
#include "keys.h"

namespace {

// Keys by their USB HID usage on the keyboard page: the codes both hosts
// report (sdl/, web/).
enum Usage {
    KEY_A = 4,
    KEY_Z = 29,
    KEY_DIGIT_1 = 30,
    KEY_DIGIT_0 = 39,
    KEY_RETURN = 40,
    KEY_ESCAPE = 41,
    KEY_BACKSPACE = 42,
    KEY_TAB = 43,
    KEY_SPACE = 44,
    KEY_MINUS = 45,
    KEY_EQUALS = 46,
    KEY_LEFT_BRACKET = 47,
    KEY_RIGHT_BRACKET = 48,
    KEY_BACKSLASH = 49,
    KEY_SEMICOLON = 51,
    KEY_APOSTROPHE = 52,
    KEY_GRAVE = 53,
    KEY_COMMA = 54,
    KEY_PERIOD = 55,
    KEY_SLASH = 56,
    KEY_CAPS_LOCK = 57,
    KEY_F1 = 58,
    KEY_F10 = 67,
    KEY_F11 = 68,
    KEY_F12 = 69,
    KEY_PRINT_SCREEN = 70,
    KEY_SCROLL_LOCK = 71,
    KEY_PAUSE = 72,
    KEY_INSERT = 73,
    KEY_HOME = 74,
    KEY_PAGE_UP = 75,
    KEY_DELETE = 76,
    KEY_END = 77,
    KEY_PAGE_DOWN = 78,
    KEY_RIGHT = 79,
    KEY_LEFT = 80,
    KEY_DOWN = 81,
    KEY_UP = 82,
    KEY_NUM_LOCK = 83,
    KEY_KP_DIVIDE = 84,
    KEY_KP_MULTIPLY = 85,
    KEY_KP_MINUS = 86,
    KEY_KP_PLUS = 87,
    KEY_KP_ENTER = 88,
    KEY_KP_1 = 89,
    KEY_KP_2 = 90,
    KEY_KP_3 = 91,
    KEY_KP_4 = 92,
    KEY_KP_5 = 93,
    KEY_KP_6 = 94,
    KEY_KP_7 = 95,
    KEY_KP_8 = 96,
    KEY_KP_9 = 97,
    KEY_KP_0 = 98,
    KEY_KP_PERIOD = 99,
    KEY_NON_US_BACKSLASH = 100,
    KEY_APPLICATION = 101,
    KEY_LEFT_CTRL = 224,
    KEY_LEFT_SHIFT = 225,
    KEY_LEFT_ALT = 226,
    KEY_LEFT_GUI = 227,
    KEY_RIGHT_CTRL = 228,
    KEY_RIGHT_SHIFT = 229,
    KEY_RIGHT_ALT = 230,
    KEY_RIGHT_GUI = 231,
};

struct KeyCode {
    unsigned char vk;
    unsigned char scan;
    bool extended;
};

KeyCode key_code(int usage)
{
    if (usage >= KEY_A && usage <= KEY_Z) {
        static const unsigned char letters[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                                  0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                                  0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
        int i = usage - KEY_A;
        return {static_cast<unsigned char>('A' + i), letters[i], false};
    }
    if (usage >= KEY_DIGIT_1 && usage <= KEY_DIGIT_0) {  // 1..9, then 0
        int i = usage - KEY_DIGIT_1;
        return {static_cast<unsigned char>(i == 9 ? '0' : '1' + i), static_cast<unsigned char>(0x02 + i),
                false};
    }
    if (usage >= KEY_F1 && usage <= KEY_F10) {
        int i = usage - KEY_F1;
        return {static_cast<unsigned char>(0x70 + i), static_cast<unsigned char>(0x3B + i), false};
    }
    switch (usage) {
    case KEY_RETURN: return {VK_RETURN, 0x1C, false};
    case KEY_ESCAPE: return {VK_ESCAPE, 0x01, false};
    case KEY_BACKSPACE: return {VK_BACK, 0x0E, false};
    case KEY_TAB: return {VK_TAB, 0x0F, false};
    case KEY_SPACE: return {VK_SPACE, 0x39, false};
    case KEY_MINUS: return {0xBD, 0x0C, false};
    case KEY_EQUALS: return {0xBB, 0x0D, false};
    case KEY_LEFT_BRACKET: return {0xDB, 0x1A, false};
    case KEY_RIGHT_BRACKET: return {0xDD, 0x1B, false};
    case KEY_BACKSLASH: return {0xDC, 0x2B, false};
    case KEY_SEMICOLON: return {0xBA, 0x27, false};
    case KEY_APOSTROPHE: return {0xDE, 0x28, false};
    case KEY_GRAVE: return {0xC0, 0x29, false};
    case KEY_COMMA: return {0xBC, 0x33, false};
    case KEY_PERIOD: return {0xBE, 0x34, false};
    case KEY_SLASH: return {0xBF, 0x35, false};
    case KEY_NON_US_BACKSLASH: return {0xE2, 0x56, false};
    case KEY_CAPS_LOCK: return {0x14, 0x3A, false};
    case KEY_F11: return {0x7A, 0x57, false};
    case KEY_F12: return {0x7B, 0x58, false};
    case KEY_PRINT_SCREEN: return {0x2C, 0x37, true};
    case KEY_SCROLL_LOCK: return {0x91, 0x46, false};
    case KEY_PAUSE: return {0x13, 0x45, false};
    case KEY_INSERT: return {0x2D, 0x52, true};
    case KEY_HOME: return {0x24, 0x47, true};
    case KEY_PAGE_UP: return {0x21, 0x49, true};
    case KEY_DELETE: return {0x2E, 0x53, true};
    case KEY_END: return {0x23, 0x4F, true};
    case KEY_PAGE_DOWN: return {0x22, 0x51, true};
    case KEY_RIGHT: return {VK_RIGHT, 0x4D, true};
    case KEY_LEFT: return {VK_LEFT, 0x4B, true};
    case KEY_DOWN: return {VK_DOWN, 0x50, true};
    case KEY_UP: return {VK_UP, 0x48, true};
    case KEY_NUM_LOCK: return {0x90, 0x45, true};
    case KEY_KP_DIVIDE: return {0x6F, 0x35, true};
    case KEY_KP_MULTIPLY: return {0x6A, 0x37, false};
    case KEY_KP_MINUS: return {0x6D, 0x4A, false};
    case KEY_KP_PLUS: return {0x6B, 0x4E, false};
    case KEY_KP_ENTER: return {VK_RETURN, 0x1C, true};
    case KEY_KP_1: return {0x61, 0x4F, false};
    case KEY_KP_2: return {0x62, 0x50, false};
    case KEY_KP_3: return {0x63, 0x51, false};
    case KEY_KP_4: return {0x64, 0x4B, false};
    case KEY_KP_5: return {0x65, 0x4C, false};
    case KEY_KP_6: return {0x66, 0x4D, false};
    case KEY_KP_7: return {0x67, 0x47, false};
    case KEY_KP_8: return {0x68, 0x48, false};
    case KEY_KP_9: return {0x69, 0x49, false};
    case KEY_KP_0: return {0x60, 0x52, false};
    case KEY_KP_PERIOD: return {0x6E, 0x53, false};
    case KEY_LEFT_CTRL: return {VK_CONTROL, 0x1D, false};
    case KEY_RIGHT_CTRL: return {VK_CONTROL, 0x1D, true};
    case KEY_LEFT_SHIFT: return {VK_SHIFT, 0x2A, false};
    case KEY_RIGHT_SHIFT: return {VK_SHIFT, 0x36, false};
    case KEY_LEFT_ALT: return {VK_MENU, 0x38, false};
    case KEY_RIGHT_ALT: return {VK_MENU, 0x38, true};
    case KEY_LEFT_GUI: return {0x5B, 0x5B, true};
    case KEY_RIGHT_GUI: return {0x5C, 0x5C, true};
    case KEY_APPLICATION: return {0x5D, 0x5D, true};
    default: return {0xFF, 0x00, false};
    }
}

}  // namespace

KeyMessage key_message(int usb_usage, bool down, bool repeat, bool alt, bool ctrl)
{
    KeyCode k = key_code(usb_usage);
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
