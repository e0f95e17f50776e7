// gdi.cpp - stock objects, system icons and cursors: handles that name
// something the system owns. Nothing draws with them here; they only have to
// be real.
#include <windows.h>

#include "handles.h"

namespace {

const int STOCK_OBJECTS = 20;  // WHITE_BRUSH (0) .. DC_PEN (19)
const intptr_t ICON_BASE = GDI_HANDLE_BASE + STOCK_OBJECTS;
const int SYSTEM_ICONS = 8;  // IDI_APPLICATION (32512) .. IDI_SHIELD (32518)
const intptr_t CURSOR_BASE = ICON_BASE + SYSTEM_ICONS;
const int SYSTEM_CURSORS = 0xFF - CURSOR_BASE;
const uintptr_t FIRST_SYSTEM_ID = 32512;

// A system resource's handle, or null for an id the system has not got or
// for an instance's own resources, of which we have none of these kinds.
void *system_resource(HINSTANCE instance, LPCSTR id, intptr_t base, int count)
{
    uintptr_t v = reinterpret_cast<uintptr_t>(id);
    if (instance || v < FIRST_SYSTEM_ID || v >= FIRST_SYSTEM_ID + count)
        return nullptr;
    return reinterpret_cast<void *>(base + static_cast<intptr_t>(v - FIRST_SYSTEM_ID));
}

}  // namespace

HGDIOBJ WINAPI GetStockObject(int i)
{
    if (i < 0 || i >= STOCK_OBJECTS)
        return nullptr;
    return reinterpret_cast<HGDIOBJ>(GDI_HANDLE_BASE + i);
}

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name)
{
    return static_cast<HICON>(system_resource(instance, name, ICON_BASE, SYSTEM_ICONS));
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name)
{
    return static_cast<HCURSOR>(system_resource(instance, name, CURSOR_BASE, SYSTEM_CURSORS));
}
