// winmain.cpp - the program's entry: the window class, the hidden main window, the
// start-up dialog, and on Start the window, the tick thread, the device and
// the show. The program returns 0, or 1 when the show could not load a file:
// a show that ends at once must not look like one the user ended.
#include "app/shell.h"
#include "geometry/transform.h"
#include "show/show.h"

HINSTANCE app_instance = nullptr;
HWND main_window = nullptr;
HANDLE tick_thread = nullptr;
DWORD tick_thread_id = 0;

void show_main_window(HWND hwnd)
{
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    app_instance = hInstance;

    WNDCLASSA wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = main_window_proc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = app_instance;
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = "Lumivex";
    if (RegisterClassA(&wc) == 0)
        return 0;

    main_window =
        CreateWindowExA(0, "Lumivex", "Lumivex by Tobrek", WS_OVERLAPPED, CW_USEDEFAULT, CW_USEDEFAULT,
                        SCREEN_WIDTH, SCREEN_HEIGHT, nullptr, nullptr, app_instance, nullptr);
    if (main_window == nullptr)
        return 0;

    run_startup_dialog();
    if (start_requests == 0)
        return 0;

    show_main_window(main_window);
    tick_thread = CreateThread(nullptr, 0, tick_thread_main, main_window, 0, &tick_thread_id);

    play_show(main_window);
    return report_load_failure();
}
