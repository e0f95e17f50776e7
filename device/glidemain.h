// glidemain.h - the Glide device in its one configuration: start-up, the
// fixed render state, the end of every frame, close; and 3DF texture loading.
#ifndef LUMIVEX_GLIDEMAIN_H
#define LUMIVEX_GLIDEMAIN_H

#include <windows.h>
#include <glide.h>

extern GrHwConfiguration voo_hwconfig;
extern Gu3dfInfo voo_texinfo;

void voo_init();
void voo_open(HWND hwnd);
void voo_set_render_state();
void voo_end_frame();
void voo_close();

// &voo_texinfo with the file's description and texels, or null.
Gu3dfInfo *voo_load_3df(const char *filename);
GrMipMapId_t voo_download_texture(Gu3dfInfo *info);

#endif
