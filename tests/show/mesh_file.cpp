#include "mesh_file.h"

#include <cstring>
#include <fstream>

namespace {

struct Writer {
    std::string bytes;

    void tag(const char *name) { bytes.append(name, 8); }
    void word(const void *p) { bytes.append(static_cast<const char *>(p), 4); }
    void count(int32_t n) { word(&n); }
    void real(float f) { word(&f); }
};

} // namespace

bool write_mesh_file(const std::string &path, const MeshFile &mesh)
{
    Writer w;
    w.tag("VTXNUM->");
    w.count((int32_t)mesh.vertices.size());
    w.tag("VTXLIST>");
    for (const Vertex4 &v : mesh.vertices) {
        w.real(v.x);
        w.real(v.y);
        w.real(v.z);
    }
    w.tag("FACENUM>");
    w.count((int32_t)mesh.faces.size());
    w.tag("FACELIST");
    for (const Face &f : mesh.faces)
        for (int32_t i : f.v)
            w.count(i);
    w.tag("NMLIST->");
    for (size_t i = 0; i < mesh.faces.size(); ++i) {
        w.real(0.0f);
        w.real(0.0f);
        w.real(1.0f);
    }
    if (!mesh.tex_faces.empty()) {
        w.tag("TVFCNUM>");
        w.count((int32_t)mesh.tex_faces.size());
        w.tag("TVFCLIST");
        for (const TexFace &f : mesh.tex_faces)
            for (int32_t i : f.t)
                w.count(i);
    }
    if (!mesh.tex_vertices.empty()) {
        w.tag("TVTXNUM>");
        w.count((int32_t)mesh.tex_vertices.size());
        w.tag("TVTXLIST");
        for (const TexVertex &t : mesh.tex_vertices) {
            w.real(t.u);
            w.real(t.v);
            w.count(0);
        }
    }
    if (!mesh.colours.empty()) {
        w.tag("CVTX--->");
        for (const VertexColour &c : mesh.colours) {
            w.real(c.red);
            w.real(c.green);
            w.real(c.blue);
        }
    }
    std::ofstream out(path, std::ios::binary);
    out.write(w.bytes.data(), (std::streamsize)w.bytes.size());
    return (bool)out;
}

MeshFile tetrahedron()
{
    MeshFile m;
    m.vertices = {{1, 1, 1, 1}, {-1, -1, 1, 1}, {-1, 1, -1, 1}, {1, -1, -1, 1}};
    m.faces = {{{0, 1, 2}}, {{0, 3, 1}}, {{0, 2, 3}}, {{1, 3, 2}}};
    m.tex_faces = {{{0, 1, 2}}, {{0, 2, 1}}, {{1, 2, 0}}, {{2, 1, 0}}};
    m.tex_vertices = {{0.0f, 0.0f, 0}, {0.5f, 0.0f, 0}, {0.5f, 0.5f, 0}};
    m.colours = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}};
    return m;
}
