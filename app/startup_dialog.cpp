// startup_dialog.cpp - the start-up dialog: the credits, Start and Exit. The choice travels in
// start_requests; the dialog ends by the destruction of its window.
#include "app/resource.h"
#include "app/shell.h"

extern HINSTANCE app_instance;

LONG start_requests = 0;

void run_startup_dialog()
{
    DialogBoxParamA(app_instance, MAKEINTRESOURCEA(IDD_STARTUP), GetDesktopWindow(), startup_dialog_proc, 0);
}

INT_PTR CALLBACK startup_dialog_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM)
{
    if (message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        DestroyWindow(hwnd);
        start_requests++;
        return TRUE;
    case IDCANCEL:
        start_requests = 0;
        DestroyWindow(hwnd);
        return TRUE;
    case 3:
    case IDC_INSTALL_SAVER:
    case IDC_SAVER_SOUND:
    case IDC_EFFECT_LIST: return TRUE;
    default: return FALSE;
    }
}
