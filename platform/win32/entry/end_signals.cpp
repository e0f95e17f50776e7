// end_signals.cpp - the terminal's requests to end (Ctrl+C, kill, a closed
// terminal) become what a person would do on Windows: Exit in a dialog, a key
// in the show. The program then ends its own way, so the device closes and
// files being written are finished. The signals are taken by one thread with
// sigtimedwait, so no Win32 call ever runs inside a signal handler.
#include "entry.h"

#include <win32_exit.h>

#include <signal.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <vector>

#include "../handles.h"
#include "../window.h"

namespace {

sigset_t end_set;
std::atomic<int> end_signal{0};
std::mutex delivery;    // held while windows are told, and by the exit
bool stopping = false;  // under delivery: the process is ending anyway
std::vector<HWND> told;

// Tells each window once; windows that appear later (the show's, after the
// dialog) are told when they do, so the request holds until the end.
void tell_windows()
{
    for (intptr_t slot = 1; slot < MAX_WINDOWS; ++slot) {
        HWND hwnd = reinterpret_cast<HWND>(WINDOW_HANDLE_BASE + slot);
        Window *w = find_window(hwnd);
        if (!w || (w->style & WS_CHILD))
            continue;
        bool dialog = w->dialog_proc != nullptr;
        if (!dialog && !w->visible)
            continue;  // the hidden main window behind the dialog
        bool already = false;
        for (HWND t : told)
            already = already || t == hwnd;
        if (already)
            continue;
        told.push_back(hwnd);
        if (dialog)
            PostMessageA(hwnd, WM_CLOSE, 0, 0);  // as the close box: the dialog's Exit
        else
            PostMessageA(hwnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);  // Esc, scan code 1
    }
}

void watch()
{
    for (;;) {
        bool asked = end_signal.load() != 0;
        timespec wait = {asked ? 0 : 1, asked ? 50000000 : 0};
        int sig = sigtimedwait(&end_set, nullptr, &wait);
        if (sig > 0) {
            if (asked)
                _exit(128 + sig);  // asked twice: at once
            end_signal = sig;
        }
        if (end_signal.load() != 0) {
            std::lock_guard lock(delivery);
            if (stopping)
                return;
            tell_windows();
        }
    }
}

}  // namespace

void watch_end_signals()
{
    sigemptyset(&end_set);
    sigaddset(&end_set, SIGINT);
    sigaddset(&end_set, SIGTERM);
    sigaddset(&end_set, SIGHUP);
    // Blocked before any other thread starts, so every thread inherits it and
    // only the watcher takes them.
    pthread_sigmask(SIG_BLOCK, &end_set, nullptr);
    // A file grown past the size limit fails its write, as a full disk does,
    // and a write to a closed pipe or socket (the display's, its server gone)
    // fails too: each is reported, where the process was killed with no word.
    signal(SIGXFSZ, SIG_IGN);
    signal(SIGPIPE, SIG_IGN);
    std::thread(watch).detach();
}

int exit_status(int winmain_result)
{
    std::lock_guard lock(delivery);
    stopping = true;
    int sig = end_signal.load();
    if (winmain_result != 0)
        return winmain_result;
    return sig != 0 ? 128 + sig : win32_exit_status_asked();
}
