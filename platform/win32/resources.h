// resources.h - a program's resources as Windows reads them: the .res file a
// resource compiler makes from the program's script, linked into the program
// as bytes (the Windows build links the same file). Only what the dialog
// manager needs is read: dialog templates (DLGTEMPLATE with DS_SETFONT's
// font, and their DLGITEMTEMPLATE controls) and dialog initialisation lists
// (RT_DLGINIT).
#ifndef LUMIVEX_WIN32_RESOURCES_H
#define LUMIVEX_WIN32_RESOURCES_H

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

struct DialogControlResource {
    std::string class_name;  // "Button", "Static", "ComboBox", ... (system classes spelled so)
    std::string text;
    int id;       // -1 for a control that sends no commands
    DWORD style;  // WS_CHILD | WS_VISIBLE and the script's styles
    DWORD ex_style;
    int x, y, cx, cy;  // dialog units
};

// One entry of a dialog's initialisation list: a message sent to a control
// when the dialog is made (CB_ADDSTRING with its text, for a combo box).
struct DialogInitItem {
    int control_id;
    int message;
    std::string data;  // the bytes as stored, a string's terminating zero included
};

struct DialogResource {
    int id;
    int language;  // MAKELANGID(primary, sub)
    DWORD style;
    DWORD ex_style;
    int x, y, cx, cy;  // dialog units
    std::string caption;
    int font_points;  // 0 without DS_SETFONT
    std::string font_name;
    std::vector<DialogControlResource> controls;
    std::vector<DialogInitItem> init;  // from the RT_DLGINIT resource of the same id
};

// Reads a .res image and keeps its dialogs; false, keeping nothing of it,
// when it is malformed anywhere. Resource types it has no use for are skipped.
bool register_resources(const unsigned char *res, size_t size);

// Null when the program has no such dialog.
const DialogResource *find_dialog_resource(int id);

#endif
