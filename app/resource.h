// resource.h - the ids of the program's resources and of their controls,
// shared by the resource script and the code.
#ifndef LUMIVEX_RESOURCE_H
#define LUMIVEX_RESOURCE_H

#define IDD_STARTUP 101

#define IDC_STATIC -1
#define IDC_INSTALL_SAVER 1001
#define IDC_SAVER_SOUND 1002
#define IDC_CONFIGURE_EFFECT 1003
#define IDC_EFFECT_LIST 1004

// The resource type of a dialog's initialisation list.
#define RT_DLGINIT_TYPE 240
// The message each list item is added with: the 16-bit CB_ADDSTRING.
#define DLGINIT_CB_ADDSTRING 0x0403

#endif
