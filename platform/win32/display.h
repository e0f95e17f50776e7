// display.h - what our windows need from the display underneath them: its
// clock, surfaces for windows and dialogs, a message box. One implementation
// per host, in the host's folder: sdl/ over SDL2 (sdl_link.cpp, sdl_window.cpp
// and dialog_sdl.cpp, which draws with dialog_draw on the canvas of
// dialog_canvas.cpp), and web/ over a browser page (display.cpp). Its input
// reaches the windows through the queues' pump hook (queue.h), which each
// host installs; a window's own side on the host is the host's HostWindow
// (window.h).
#ifndef LUMIVEX_WIN32_DISPLAY_H
#define LUMIVEX_WIN32_DISPLAY_H

#include <windows.h>

struct Window;

// True when there is a screen a person can see.
bool have_display();

// Whether Shift is held now (false without a display).
bool display_shift_held();

// Milliseconds on the display's clock, for MSG.time.
DWORD display_ticks();

// The window's surface, if it has one, follows its visibility.
void display_show_window(Window *w, bool shown);

// A surface for a dialog (w->dialog laid out), its drawing when dirty, and
// its release. Opening fails with a line on stderr.
bool display_open_dialog(Window *w);
void display_draw_dialog(Window *w);
void display_close_dialog(Window *w);

// The modal loop's idle: returns when input arrives or after ms.
void display_wait(int ms);

// A message box on the display; false when none could be shown. pressed is
// the index of the button chosen, -1 when the box was closed without one.
bool display_message_box(Window *owner, const char *caption, const char *text, bool error,
                         const char *const *labels, int count, int *pressed);

#endif
