// play.cpp - one trace line played through our Glide: the calls the
// replayer knows, each with the arguments its line must carry.
#include "play.h"

#include <lumivex_glide.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using Args = std::vector<std::string>;

// The player whose line is being played, for the calls' reports.
TracePlayer *playing = nullptr;

void report(const std::string &message)
{
    ++playing->problems;
    if (playing->errors)
        std::fprintf(playing->errors, "replay: %s:%d: %s\n", playing->name, playing->line_number,
                     message.c_str());
}

// Splits a line at single spaces, keeping a double-quoted string as one
// argument without its quotes. The trace writes strings as they are (file
// names, which may hold backslashes), so a string ends at the next quote.
bool split(const std::string &line, Args *out)
{
    size_t k = 0;
    while (k < line.size()) {
        std::string arg;
        if (line[k] == '"') {
            for (++k; k < line.size() && line[k] != '"'; ++k)
                arg += line[k];
            if (k == line.size())
                return false;
            ++k;
        } else {
            while (k < line.size() && line[k] != ' ')
                arg += line[k++];
        }
        out->push_back(arg);
        if (k < line.size() && line[k++] != ' ')
            return false;
    }
    return true;
}

bool integer(const std::string &s, long long *v)
{
    char *end;
    *v = std::strtoll(s.c_str(), &end, 10);
    return !s.empty() && *end == 0;
}

bool real(const std::string &s, float *v)
{
    char *end;
    *v = std::strtof(s.c_str(), &end);
    return !s.empty() && *end == 0;
}

// The arguments from first on as integers.
bool integers(const Args &a, size_t first, long long *out)
{
    for (size_t k = first; k < a.size(); ++k)
        if (!integer(a[k], &out[k - first]))
            return false;
    return true;
}

GrMipMapId_t handle(TracePlayer &r, const std::string &traced)
{
    long long v;
    if (!integer(traced, &v))
        return r.allocated;
    auto found = r.handles.find(v);
    if (found != r.handles.end())
        return found->second;
    if (!r.unclaimed)
        return GrMipMapId_t(v);
    r.unclaimed = false;
    return r.handles[v] = r.allocated;
}

struct Call {
    const char *name;
    size_t args;
    bool (*play)(TracePlayer &, const Args &);  // false: malformed arguments
};

#define READ_INTS(n)                                                                                         \
    long long v[n > 0 ? n : 1];                                                                              \
    if (!integers(a, 0, v))                                                                                  \
    return false

const Call CALLS[] = {
    {"grGlideInit", 0,
     [](TracePlayer &, const Args &) {
         grGlideInit();
         return true;
     }},
    {"grSstQueryHardware", 1,
     [](TracePlayer &r, const Args &) {
         if (!grSstQueryHardware(&r.hardware))
             report("grSstQueryHardware found no board");
         return true;
     }},
    {"grSstSelect", 1,
     [](TracePlayer &, const Args &a) {
         READ_INTS(1);
         grSstSelect(int(v[0]));
         return true;
     }},
    {"grSstWinOpen", 7,
     [](TracePlayer &, const Args &a) {
         long long v[6];
         if (!integers(Args(a.begin() + 1, a.end()), 0, v))
             return false;
         if (!grSstWinOpen(0, GrScreenResolution_t(v[0]), GrScreenRefresh_t(v[1]), GrColorFormat_t(v[2]),
                           GrOriginLocation_t(v[3]), int(v[4]), int(v[5])))
             report("grSstWinOpen failed");
         return true;
     }},
    {"grSstWinClose", 0,
     [](TracePlayer &, const Args &) {
         grSstWinClose();
         return true;
     }},
    {"grGlideShutdown", 0,
     [](TracePlayer &, const Args &) {
         grGlideShutdown();
         return true;
     }},
    {"grSstControl", 1,
     [](TracePlayer &, const Args &a) {
         READ_INTS(1);
         grSstControl(FxU32(v[0]));
         return true;
     }},
    {"grSstIdle", 0,
     [](TracePlayer &, const Args &) {
         grSstIdle();
         return true;
     }},
    {"grRenderBuffer", 1,
     [](TracePlayer &, const Args &a) {
         READ_INTS(1);
         grRenderBuffer(GrBuffer_t(v[0]));
         return true;
     }},
    {"grClipWindow", 4,
     [](TracePlayer &, const Args &a) {
         READ_INTS(4);
         grClipWindow(FxU32(v[0]), FxU32(v[1]), FxU32(v[2]), FxU32(v[3]));
         return true;
     }},
    {"grBufferClear", 3,
     [](TracePlayer &, const Args &a) {
         READ_INTS(3);
         grBufferClear(GrColor_t(v[0]), GrAlpha_t(v[1]), FxU16(v[2]));
         return true;
     }},
    {"grBufferSwap", 1,
     [](TracePlayer &, const Args &a) {
         READ_INTS(1);
         grBufferSwap(int(v[0]));
         return true;
     }},
    {"grDepthBufferMode", 1,
     [](TracePlayer &, const Args &a) {
         READ_INTS(1);
         grDepthBufferMode(GrDepthBufferMode_t(v[0]));
         return true;
     }},
    {"grDepthBufferFunction", 1,
     [](TracePlayer &, const Args &a) {
         READ_INTS(1);
         grDepthBufferFunction(GrCmpFnc_t(v[0]));
         return true;
     }},
    {"grDepthMask", 1,
     [](TracePlayer &, const Args &a) {
         READ_INTS(1);
         grDepthMask(FxBool(v[0]));
         return true;
     }},
    {"guColorCombineFunction", 1,
     [](TracePlayer &, const Args &a) {
         READ_INTS(1);
         guColorCombineFunction(GrColorCombineFnc_t(v[0]));
         return true;
     }},
    {"guTexCombineFunction", 2,
     [](TracePlayer &, const Args &a) {
         READ_INTS(2);
         guTexCombineFunction(GrChipID_t(v[0]), GrTextureCombineFnc_t(v[1]));
         return true;
     }},
    {"guAlphaSource", 1,
     [](TracePlayer &, const Args &a) {
         READ_INTS(1);
         guAlphaSource(GrAlphaSource_t(v[0]));
         return true;
     }},
    {"grConstantColorValue", 1,
     [](TracePlayer &, const Args &a) {
         READ_INTS(1);
         grConstantColorValue(GrColor_t(v[0]));
         return true;
     }},
    {"grHints", 2,
     [](TracePlayer &, const Args &a) {
         READ_INTS(2);
         grHints(GrHint_t(v[0]), FxU32(v[1]));
         return true;
     }},
    {"gu3dfGetInfo", 2,
     [](TracePlayer &r, const Args &a) {
         r.info = Gu3dfInfo{};
         if (!gu3dfGetInfo(a[0].c_str(), &r.info))
             report("gu3dfGetInfo failed for \"" + a[0] + "\"");
         return true;
     }},
    {"gu3dfLoad", 2,
     [](TracePlayer &r, const Args &a) {
         r.texels.assign(r.info.mem_required, 0);
         r.info.data = r.texels.empty() ? nullptr : r.texels.data();
         if (!gu3dfLoad(a[0].c_str(), &r.info))
             report("gu3dfLoad failed for \"" + a[0] + "\"");
         return true;
     }},
    {"guTexMemReset", 0,
     [](TracePlayer &r, const Args &) {
         guTexMemReset();
         r.handles.clear();
         r.unclaimed = false;
         return true;
     }},
    {"guTexAllocateMemory", 15,
     [](TracePlayer &r, const Args &a) {
         long long v[15];
         float lod_bias;
         Args ints = a;
         ints.erase(ints.begin() + 13);
         if (!integers(ints, 0, v) || !real(a[13], &lod_bias))
             return false;
         r.allocated = guTexAllocateMemory(GrChipID_t(v[0]), FxU8(v[1]), int(v[2]), int(v[3]),
                                           GrTextureFormat_t(v[4]), GrMipMapMode_t(v[5]), GrLOD_t(v[6]),
                                           GrLOD_t(v[7]), GrAspectRatio_t(v[8]), GrTextureClampMode_t(v[9]),
                                           GrTextureClampMode_t(v[10]), GrTextureFilterMode_t(v[11]),
                                           GrTextureFilterMode_t(v[12]), lod_bias, FxBool(v[13]));
         r.unclaimed = true;
         return true;
     }},
    {"guTexDownloadMipMap", 3,
     [](TracePlayer &r, const Args &a) {
         // The texels come from the last gu3dfLoad's block: a mip-map larger
         // than that would be read from beyond its end.
         GrMipMapId_t id = handle(r, a[0]);
         if (lumivex::glide_mipmap_bytes(id) > r.texels.size())
             return false;
         guTexDownloadMipMap(id, r.info.data, &r.info.table.nccTable);
         return true;
     }},
    {"guTexSource", 1,
     [](TracePlayer &r, const Args &a) {
         guTexSource(handle(r, a[0]));
         return true;
     }},
    {"grTexClampMode", 3,
     [](TracePlayer &, const Args &a) {
         READ_INTS(3);
         grTexClampMode(GrChipID_t(v[0]), GrTextureClampMode_t(v[1]), GrTextureClampMode_t(v[2]));
         return true;
     }},
    {"guDrawTriangleWithClip", 27,
     [](TracePlayer &, const Args &a) {
         GrVertex vertex[3];
         std::memset(vertex, 0, sizeof vertex);
         for (int k = 0; k < 3; ++k) {
             GrVertex &p = vertex[k];
             float *fields[9] = {&p.x, &p.y, &p.oow, &p.tmuvtx[0].sow, &p.tmuvtx[0].tow, &p.tmuvtx[0].oow,
                                 &p.r, &p.g, &p.b};
             for (int f = 0; f < 9; ++f)
                 if (!real(a[size_t(9 * k + f)], fields[f]))
                     return false;
         }
         guDrawTriangleWithClip(&vertex[0], &vertex[1], &vertex[2]);
         return true;
     }},
};

#undef READ_INTS

}  // namespace

bool play_line(TracePlayer &player, const std::string &text)
{
    ++player.line_number;
    std::string line = text;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.empty())
        return true;
    int before = player.problems;
    playing = &player;
    Args args;
    if (!split(line, &args)) {
        report("cannot split the line into arguments");
        return false;
    }
    std::string name = args.front();
    args.erase(args.begin());
    const Call *call = nullptr;
    for (const Call &c : CALLS)
        if (name == c.name)
            call = &c;
    if (!call)
        report("unknown call " + name + ", skipped");
    else if (args.size() != call->args || !call->play(player, args))
        report("malformed " + name + " (" + std::to_string(call->args) + " arguments), skipped");
    return player.problems == before;
}
