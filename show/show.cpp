// show.cpp - run_show: the asset set is loaded once, then the three effects cycle until
// one of them says stop. Nothing is freed; the meshes live until the process
// ends and every pass draws the same ones.
#include "show/show.h"

#include "device/glidemain.h"
#include "show/effects.h"
#include "show/load_failure.h"

Mesh *torus_mesh;
Mesh *logo_mesh;
Mesh *cube_mesh;
Mesh *cube_clones[3];

int run_show()
{
    // A mesh that cannot be loaded, or that its draw mode could not read, or
    // that cannot be copied, ends the show before any effect runs, and the
    // shell says which.
    torus_mesh = mesh_load("pak//torus.dat");
    if (!torus_mesh || !drawable(torus_mesh, true, true))
        return load_failed("pak//torus.dat");
    mesh_normalise(torus_mesh, 100.0f);

    logo_mesh = mesh_load("pak//3dfx.dat");
    if (!logo_mesh || !drawable(logo_mesh, true, false))
        return load_failed("pak//3dfx.dat");

    cube_mesh = mesh_load("pak//cube.dat");
    if (!cube_mesh || !drawable(cube_mesh, false, false))
        return load_failed("pak//cube.dat");
    // All clones are taken before any cube is scaled, so each starts from the file's cube.
    for (int c = 0; c < 3; ++c) {
        cube_clones[c] = mesh_clone(cube_mesh);
        if (!cube_clones[c])
            return copy_failed("pak//cube.dat");
    }
    mesh_normalise(cube_mesh, 100.0f);
    mesh_normalise(cube_clones[0], 200.0f);
    mesh_normalise(cube_clones[1], 300.0f);
    mesh_normalise(cube_clones[2], 400.0f);

    while (logo_effect() && cubes_effect() && torus_effect()) {
    }
    return 0;
}

void play_show(HWND hwnd)
{
    voo_init();
    voo_open(hwnd);
    voo_set_render_state();
    run_show();
    voo_close();
}
