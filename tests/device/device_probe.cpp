// device_probe - brings the device up, ends two frames and closes it, as
// program entry and the show do; the test reads the Glide trace and the exit
// status. Prints "done" when it gets to the end.
#include <cstdio>

#include "device/glidemain.h"

int main()
{
    voo_init();
    voo_open(nullptr);
    voo_set_render_state();
    voo_end_frame();
    voo_end_frame();
    voo_close();
    std::printf("done\n");
    return 0;
}
