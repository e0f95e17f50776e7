#include "doubles.h"

#include "device/glidemain.h"
#include "show/show.h"

std::vector<std::string> device_calls;
FxBool control_result = FXTRUE;

FX_ENTRY FxBool FX_CALL grSstControl(FxU32 code)
{
    device_calls.push_back("grSstControl " + std::to_string(code));
    return control_result;
}

void voo_init() { device_calls.push_back("voo_init"); }
void voo_open(HWND) { device_calls.push_back("voo_open"); }
void voo_set_render_state() { device_calls.push_back("voo_set_render_state"); }
void voo_close() { device_calls.push_back("voo_close"); }

int run_show()
{
    device_calls.push_back("run_show");
    return 0;
}
