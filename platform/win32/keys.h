// keys.h - keys as the hosts report them (USB keyboard usages) become Win32
// keyboard messages: virtual-key codes of a US layout, PC scan codes, and
// the bits of lParam.
#ifndef LUMIVEX_WIN32_KEYS_H
#define LUMIVEX_WIN32_KEYS_H

#include <windows.h>

struct KeyMessage {
    UINT message;  // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP
    WPARAM vk;
    LPARAM lParam;
};

// One key transition. Keys with no virtual-key code of their own get 0xFF,
// as on Windows, so that every key still arrives.
KeyMessage key_message(int usb_usage, bool down, bool repeat, bool alt, bool ctrl);

// The character TranslateMessage makes of a key, or 0 for none.
int key_character(int vk, bool shift);

#endif
