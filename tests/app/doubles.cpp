#include "doubles.h"

#include <time.h>

#include "device/glidemain.h"
#include "show/show.h"

std::vector<std::string> device_calls;
FxBool control_result = FXTRUE;
void (*during_show)() = nullptr;
void (*sleep_hook)(DWORD) = nullptr;

FX_ENTRY FxBool FX_CALL grSstControl(FxU32 code)
{
    device_calls.push_back("grSstControl " + std::to_string(code));
    return control_result;
}

void voo_init() { device_calls.push_back("voo_init"); }

void voo_open(HWND hwnd)
{
    device_calls.push_back("voo_open " + std::to_string(reinterpret_cast<uintptr_t>(hwnd)));
}

void voo_set_render_state() { device_calls.push_back("voo_set_render_state"); }
void voo_close() { device_calls.push_back("voo_close"); }

int run_show()
{
    device_calls.push_back("run_show");
    if (during_show)
        during_show();
    return 0;
}
const char *show_failed_file = nullptr;

void WINAPI Sleep(DWORD milliseconds)
{
    if (sleep_hook) {
        sleep_hook(milliseconds);
        return;
    }
    timespec t{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    nanosleep(&t, nullptr);
}
