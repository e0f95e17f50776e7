// keys.cpp - keyboard translation. Scan codes are those of the PC keyboard's
// set 1; an "extended" key is one whose code comes after the 0xE0 prefix.
#include "keys.h"

namespace {

struct KeyCode {
    unsigned char vk;
    unsigned char scan;
    bool extended;
};

// Keys come by their USB HID usage on the keyboard page, the code both hosts
// report (sdl/, web/). Letters, digits and F1 to F10 are runs of usages
// (key_code); these are the others.
const struct {
    unsigned char usage;
    KeyCode code;
} others[] = {
    {40, {VK_RETURN, 0x1C, false}},    // Return
    {41, {VK_ESCAPE, 0x01, false}},    // Escape
    {42, {VK_BACK, 0x0E, false}},      // Backspace
    {43, {VK_TAB, 0x0F, false}},       // Tab
    {44, {VK_SPACE, 0x39, false}},     // Space
    {45, {0xBD, 0x0C, false}},         // Minus
    {46, {0xBB, 0x0D, false}},         // Equals
    {47, {0xDB, 0x1A, false}},         // Left Bracket
    {48, {0xDD, 0x1B, false}},         // Right Bracket
    {49, {0xDC, 0x2B, false}},         // Backslash
    {51, {0xBA, 0x27, false}},         // Semicolon
    {52, {0xDE, 0x28, false}},         // Apostrophe
    {53, {0xC0, 0x29, false}},         // Grave
    {54, {0xBC, 0x33, false}},         // Comma
    {55, {0xBE, 0x34, false}},         // Period
    {56, {0xBF, 0x35, false}},         // Slash
    {100, {0xE2, 0x56, false}},        // Non-US Backslash
    {57, {0x14, 0x3A, false}},         // Caps Lock
    {68, {0x7A, 0x57, false}},         // F11
    {69, {0x7B, 0x58, false}},         // F12
    {70, {0x2C, 0x37, true}},          // Print Screen
    {71, {0x91, 0x46, false}},         // Scroll Lock
    {72, {0x13, 0x45, false}},         // Pause
    {73, {0x2D, 0x52, true}},          // Insert
    {74, {0x24, 0x47, true}},          // Home
    {75, {0x21, 0x49, true}},          // Page Up
    {76, {0x2E, 0x53, true}},          // Delete
    {77, {0x23, 0x4F, true}},          // End
    {78, {0x22, 0x51, true}},          // Page Down
    {79, {VK_RIGHT, 0x4D, true}},      // Right
    {80, {VK_LEFT, 0x4B, true}},       // Left
    {81, {VK_DOWN, 0x50, true}},       // Down
    {82, {VK_UP, 0x48, true}},         // Up
    {83, {0x90, 0x45, true}},          // Num Lock
    {84, {0x6F, 0x35, true}},          // Keypad Divide
    {85, {0x6A, 0x37, false}},         // Keypad Multiply
    {86, {0x6D, 0x4A, false}},         // Keypad Minus
    {87, {0x6B, 0x4E, false}},         // Keypad Plus
    {88, {VK_RETURN, 0x1C, true}},     // Keypad Enter
    {89, {0x61, 0x4F, false}},         // Keypad 1
    {90, {0x62, 0x50, false}},         // Keypad 2
    {91, {0x63, 0x51, false}},         // Keypad 3
    {92, {0x64, 0x4B, false}},         // Keypad 4
    {93, {0x65, 0x4C, false}},         // Keypad 5
    {94, {0x66, 0x4D, false}},         // Keypad 6
    {95, {0x67, 0x47, false}},         // Keypad 7
    {96, {0x68, 0x48, false}},         // Keypad 8
    {97, {0x69, 0x49, false}},         // Keypad 9
    {98, {0x60, 0x52, false}},         // Keypad 0
    {99, {0x6E, 0x53, false}},         // Keypad Period
    {224, {VK_CONTROL, 0x1D, false}},  // Left Ctrl
    {228, {VK_CONTROL, 0x1D, true}},   // Right Ctrl
    {225, {VK_SHIFT, 0x2A, false}},    // Left Shift
    {229, {VK_SHIFT, 0x36, false}},    // Right Shift
    {226, {VK_MENU, 0x38, false}},     // Left Alt
    {230, {VK_MENU, 0x38, true}},      // Right Alt
    {227, {0x5B, 0x5B, true}},         // Left GUI
    {231, {0x5C, 0x5C, true}},         // Right GUI
    {101, {0x5D, 0x5D, true}},         // Application
};

KeyCode key_code(int usage)
{
    if (usage >= 4 && usage <= 29) {  // A to Z
        static const unsigned char letters[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                                  0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                                  0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
        int i = usage - 4;
        return {static_cast<unsigned char>('A' + i), letters[i], false};
    }
    if (usage >= 30 && usage <= 39) {  // 1 to 9, then 0
        int i = usage - 30;
        return {static_cast<unsigned char>(i == 9 ? '0' : '1' + i), static_cast<unsigned char>(0x02 + i),
                false};
    }
    if (usage >= 58 && usage <= 67) {  // F1 to F10
        int i = usage - 58;
        return {static_cast<unsigned char>(0x70 + i), static_cast<unsigned char>(0x3B + i), false};
    }
    for (const auto &k : others)
        if (k.usage == usage)
            return k.code;
    return {0xFF, 0x00, false};
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
