// mesh_load.cpp - a mesh file into a Mesh.
//
// The file format trusts its counts; this reader does not, because the draw
// modes index the lists without a check: face i takes tex_faces[i], whose
// indices go into tex_vertices, and vertex n takes colours[n]. So a Mesh that
// mesh_load gives back always holds:
//   - 0 <= vertex_count <= MAX_VERTICES and 0 <= face_count;
//   - face_count faces, every index in 0..vertex_count-1, and face_count normals;
//   - tex_vertices either null or tex_vertex_count records;
//   - tex_faces either null or tex_face_count >= face_count records, every
//     index in 0..tex_vertex_count-1 (so null whenever tex_vertices is);
//   - colours either null or vertex_count records;
//   - every list wholly inside file_data; the counts never negative.
//
// Bad required data rejects the file: a count chunk cut short by the end of
// the file, a negative count, a vertex count above MAX_VERTICES, a list whose
// records run past the end of the file, a face index outside the vertex list.
//
// A bad optional chunk is treated as a missing one and the file still loads,
// the way a file without texture or colour chunks loads:
//   - a texture count cut short or negative counts as no count: 0, and its
//     list is not looked for;
//   - a texture list running past the end of the file, a texture-face list
//     shorter than face_count or with an index outside the texture-vertex
//     list, or a colour list shorter than vertex_count counts as no list:
//     the pointer stays null. The count read from its count chunk is kept, as
//     it is when the list chunk is missing; nothing reads it.
// Whether a part is present is told by its pointer, never by its count.
#include <stdlib.h>
#include <string.h>

#include "mesh/mesh.h"

static const uint32_t RECORD_SIZE = 12;  // every record is three 32-bit words

// Finds a count chunk; 0 when it is missing, cut short or negative.
static int read_count(const char *tag, unsigned char *data, uint32_t length, int32_t *count)
{
    unsigned char *at = find_tag(tag, data, length);
    if (!at || (uint32_t)(data + length - at) < 4)
        return 0;
    int32_t value;
    memcpy(&value, at, 4);
    if (value < 0)
        return 0;
    *count = value;
    return 1;
}

// Finds a list chunk whose records all lie inside the data; null otherwise.
// The size is computed in 64 bits: a count of 2^31 - 1 records must not wrap.
static unsigned char *find_list(const char *tag, unsigned char *data, uint32_t length, int32_t records)
{
    unsigned char *at = find_tag(tag, data, length);
    if (!at || (uint64_t)records * RECORD_SIZE > (uint64_t)(data + length - at))
        return nullptr;
    return at;
}

static int indices_in_range(const int32_t index[3], int32_t limit)
{
    for (int k = 0; k < 3; k++) {
        if (index[k] < 0 || index[k] >= limit)
            return 0;
    }
    return 1;
}

// Room for count Vertex4 records, at least one so that an empty list is not
// mistaken for a failed allocation; null when the size does not fit size_t.
static Vertex4 *allocate_vertex4(int32_t count)
{
    uint64_t bytes = (uint64_t)(count > 0 ? count : 1) * sizeof(Vertex4);
    if (bytes > SIZE_MAX)
        return nullptr;
    return (Vertex4 *)malloc((size_t)bytes);
}

void expand_xyz(const float *source, Vertex4 *destination, int32_t count)
{
    for (int32_t i = 0; i < count; i++) {
        destination[i].x = source[3 * i];
        destination[i].y = source[3 * i + 1];
        destination[i].z = source[3 * i + 2];
        destination[i].w = 1.0f;
    }
}

// The five required chunks; 0 when any is missing or bad. What it allocates
// is left in the mesh for the caller to release.
static int load_required(Mesh *mesh, unsigned char *data, uint32_t length)
{
    int32_t vertex_count;
    if (!read_count("VTXNUM->", data, length, &vertex_count) || vertex_count > MAX_VERTICES)
        return 0;
    mesh->vertex_count = vertex_count;
    mesh->vertices = allocate_vertex4(vertex_count);
    unsigned char *vertex_list = find_list("VTXLIST>", data, length, vertex_count);
    if (!mesh->vertices || !vertex_list)
        return 0;
    expand_xyz((const float *)vertex_list, mesh->vertices, vertex_count);

    int32_t face_count;
    if (!read_count("FACENUM>", data, length, &face_count))
        return 0;
    mesh->face_count = face_count;
    Face *faces = (Face *)find_list("FACELIST", data, length, face_count);
    if (!faces)
        return 0;
    for (int32_t i = 0; i < face_count; i++) {
        if (!indices_in_range(faces[i].v, vertex_count))
            return 0;
    }
    mesh->faces = faces;

    unsigned char *normal_list = find_list("NMLIST->", data, length, face_count);
    if (!normal_list)
        return 0;
    mesh->normals = allocate_vertex4(face_count);
    if (!mesh->normals)
        return 0;
    expand_xyz((const float *)normal_list, mesh->normals, face_count);
    return 1;
}

// The texture and colour chunks; each part is either usable or left absent.
static void load_optional(Mesh *mesh, unsigned char *data, uint32_t length)
{
    int32_t count;
    if (read_count("TVTXNUM>", data, length, &count)) {
        mesh->tex_vertex_count = count;
        mesh->tex_vertices = (TexVertex *)find_list("TVTXLIST", data, length, count);
    }
    int32_t usable_tex_vertices = mesh->tex_vertices ? mesh->tex_vertex_count : 0;

    if (read_count("TVFCNUM>", data, length, &count)) {
        mesh->tex_face_count = count;
        TexFace *tex_faces = (TexFace *)find_list("TVFCLIST", data, length, count);
        // The draw modes take one texture face per face, whatever the count says.
        if (count < mesh->face_count || !mesh->tex_vertices)
            tex_faces = nullptr;
        for (int32_t i = 0; tex_faces && i < count; i++) {
            if (!indices_in_range(tex_faces[i].t, usable_tex_vertices))
                tex_faces = nullptr;
        }
        mesh->tex_faces = tex_faces;
    }

    mesh->colours = (VertexColour *)find_list("CVTX--->", data, length, mesh->vertex_count);
}

Mesh *mesh_load(const char *path)
{
    uint32_t length = 0;
    unsigned char *data = read_whole_file(path, &length);
    if (!data)
        return nullptr;

    Mesh *mesh = (Mesh *)calloc(1, sizeof(Mesh));
    if (mesh && load_required(mesh, data, length)) {
        mesh->file_data = data;
        load_optional(mesh, data, length);
        return mesh;
    }

    if (mesh) {
        free(mesh->vertices);
        free(mesh->normals);
        free(mesh);
    }
    free(data);
    return nullptr;
}
