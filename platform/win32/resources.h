// resources.h - a program's resources as the stand-in keeps them: tables that
// our resource converter (rc/) generates from the program's resource script,
// linked into the program as the Windows build links the compiled script.
#ifndef LUMIVEX_WIN32_RESOURCES_H
#define LUMIVEX_WIN32_RESOURCES_H

#include <windows.h>

struct DialogControlResource {
    const char *class_name;  // "Button", "Static", "ComboBox", ...
    const char *text;
    int id;                  // -1 for a control that sends no commands
    DWORD style;             // WS_CHILD | WS_VISIBLE and the script's styles
    DWORD ex_style;
    int x, y, cx, cy;        // dialog units
};

struct DialogResource {
    int id;
    int language;            // MAKELANGID(primary, sub)
    DWORD style;
    DWORD ex_style;
    int x, y, cx, cy;        // dialog units
    const char *caption;
    int font_points;
    const char *font_name;
    const DialogControlResource *controls;
    int control_count;
};

// A resource of any other type, as the bytes the script spells out.
struct RawResource {
    int id;
    int type;                // e.g. 240, RT_DLGINIT
    int language;
    const unsigned char *data;
    int size;
};

struct ResourceModule {
    const DialogResource *dialogs;
    int dialog_count;
    const RawResource *raws;
    int raw_count;
};

// Called by the generated table's static initialiser.
bool register_resources(const ResourceModule *module);

// Null when the program has no such resource.
const DialogResource *find_dialog_resource(int id);
const RawResource *find_raw_resource(int id, int type);

#endif
