// draw_modes.cpp - the three draw modes. The work arrays are static and sized for the largest
// mesh, so a frame allocates nothing; the cube and the torus share theirs.
#include "render/draw_modes.h"

#include "geometry/transform.h"
#include "render/triangle.h"

GrMipMapId_t logo_texture;
GrVertex logo_corner_vertices[3];
GrVertex corner_vertices[3];

static Vertex4 logo_model_vertices[MAX_VERTICES];
static Vertex4 logo_eye_vertices[MAX_VERTICES];
static ProjectedVertex logo_projected_vertices[MAX_VERTICES];

static Vertex4 eye_vertices[MAX_VERTICES];
static ProjectedVertex projected_vertices[MAX_VERTICES];

// Every cube face gets the same three texture coordinates, in the torus's
// units: (0, 0), (1, 0), (1, 1).
// The logo's constant colour (0x6D6), set again in every frame.
static const GrColor_t LOGO_CONSTANT_COLOR = 1750;

static const CornerValues CUBE_CORNERS = {{0.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 1.0f}, 1.0f, false, {}, {}, {}};

// Texture coordinates of face i's corners from its texture face, scaled.
static void texture_corners(const Mesh *mesh, int32_t i, float scale, CornerValues &corners)
{
    for (int k = 0; k < 3; ++k) {
        const TexVertex &tv = mesh->tex_vertices[mesh->tex_faces[i].t[k]];
        corners.sow[k] = tv.u * scale;
        corners.tow[k] = tv.v * scale;
    }
}

void draw_logo(const Vector3 &angles, const Vector3 &position, const Mesh *mesh)
{
    int32_t count = mesh->vertex_count;
    for (int32_t n = 0; n < count; ++n) {
        logo_model_vertices[n].x = mesh->vertices[n].x;
        logo_model_vertices[n].y = mesh->vertices[n].y;
        logo_model_vertices[n].z = mesh->vertices[n].z;
        logo_model_vertices[n].w = 1.0f;
    }
    model_matrix(angles, position);
    transform_vertices(logo_eye_vertices, logo_model_vertices, count);
    project_vertices(logo_projected_vertices, logo_eye_vertices, count);
    grConstantColorValue(LOGO_CONSTANT_COLOR);
    guTexSource(logo_texture);

    CornerValues corners = {};
    corners.tmu_oow = 4.0f;
    for (int32_t i = 0; i < mesh->face_count; ++i) {
        texture_corners(mesh, i, 4.0f, corners);
        setup_triangle(mesh->faces[i], logo_eye_vertices, logo_projected_vertices, logo_corner_vertices,
                       corners);
    }
}

void draw_cube(const Mesh *mesh, const Vector3 &angles, const Vector3 &position)
{
    model_matrix(angles, position);
    transform_vertices(eye_vertices, mesh->vertices, mesh->vertex_count);
    project_vertices(projected_vertices, eye_vertices, mesh->vertex_count);
    for (int32_t i = 0; i < mesh->face_count; ++i)
        setup_triangle(mesh->faces[i], eye_vertices, projected_vertices, corner_vertices, CUBE_CORNERS);
}

void draw_torus(const Mesh *mesh, const Vector3 &angles, const Vector3 &position)
{
    model_matrix(angles, position);
    transform_vertices(eye_vertices, mesh->vertices, mesh->vertex_count);
    project_vertices(projected_vertices, eye_vertices, mesh->vertex_count);

    CornerValues corners;
    for (int32_t i = 0; i < mesh->face_count; ++i) {
        torus_corners(mesh, i, corners);
        setup_triangle(mesh->faces[i], eye_vertices, projected_vertices, corner_vertices, corners);
    }
}

void torus_corners(const Mesh *mesh, int32_t i, CornerValues &corners)
{
    corners.tmu_oow = 1.0f;
    corners.coloured = true;
    texture_corners(mesh, i, 255.0f, corners);
    for (int k = 0; k < 3; ++k) {
        const VertexColour &colour = mesh->colours[mesh->faces[i].v[k]];
        corners.r[k] = colour.red * 255.0f;
        corners.g[k] = colour.green * 255.0f;
        corners.b[k] = colour.blue * 255.0f;
    }
}
