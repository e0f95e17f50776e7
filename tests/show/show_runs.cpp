#include "show_runs.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

bool write_mesh_file(const std::string &path, const MeshModel &model)
{
    ChunkWriter file = encode_mesh(model);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(file.bytes.data()), (std::streamsize)file.bytes.size());
    return (bool)out;
}

MeshModel tetrahedron()
{
    MeshModel m;
    m.vertices = {{1, 1, 1}, {-1, -1, 1}, {-1, 1, -1}, {1, -1, -1}};
    m.tex_vertices = {{0.0f, 0.0f}, {0.5f, 0.0f}, {0.5f, 0.5f}};
    m.add_face({0, 1, 2}, {0, 1, 2}, {-1, 1, 1});
    m.add_face({0, 3, 1}, {0, 2, 1}, {1, -1, 1});
    m.add_face({0, 2, 3}, {1, 2, 0}, {1, 1, -1});
    m.add_face({1, 3, 2}, {2, 1, 0}, {-1, -1, -1});
    m.colours = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}};
    return m;
}

StagedShow::StagedShow(Meshes meshes)
{
    directory = make_temp_directory();
    fs::create_directories(directory + "/pak");
    const char *files[] = {"3dfx.3df", "cube.3df", "torus.3df", "3dfx.dat", "cube.dat", "torus.dat"};
    for (const char *file : files) {
        std::string name = file;
        if (meshes == TETRAHEDRA && name.ends_with(".dat"))
            write_mesh_file(pak(name), tetrahedron());
        else
            fs::copy_file(std::string(LUMIVEX_SOURCE_DIR "/pak/") + file, pak(name));
    }
}

StagedShow::~StagedShow() { fs::remove_all(directory); }

ShowRun run_show_probe(const StagedShow &show, std::vector<std::string> env)
{
    env.push_back("LUMIVEX_OUTPUT=offscreen");
    env.push_back("LUMIVEX_SWAP_INTERVAL=0");
    env.push_back("LUMIVEX_TRACE=trace.txt");
    ShowRun run;
    run.result = run_probe(SHOW_PROBE, show.directory, env);
    run.trace = read_lines(show.directory + "/trace.txt");
    return run;
}

std::vector<std::string> words(const std::string &line)
{
    std::istringstream in(line);
    std::vector<std::string> all;
    for (std::string word; in >> word;)
        all.push_back(word);
    return all;
}

static bool is_call(const std::string &line, const char *name)
{
    size_t n = std::char_traits<char>::length(name);
    return line.compare(0, n, name) == 0 && (line.size() == n || line[n] == ' ');
}

std::vector<std::vector<std::string>> triangles_by_frame(const std::vector<std::string> &trace)
{
    std::vector<std::vector<std::string>> frames(1);
    for (const std::string &line : trace) {
        if (is_call(line, "grBufferSwap"))
            frames.emplace_back();
        else if (is_call(line, "guDrawTriangleWithClip"))
            frames.back().push_back(line);
    }
    return frames;
}

std::string effects_played(const std::vector<std::string> &trace)
{
    std::string played;
    long swaps = -1; // before the first effect
    for (const std::string &line : trace) {
        if (is_call(line, "gu3dfGetInfo")) { // "pak//name" -
            if (swaps >= 0)
                played.append(":").append(std::to_string(swaps)).append(" ");
            size_t name = line.rfind('/') + 1;
            played += line.substr(name, line.rfind('"') - name);
            swaps = 0;
        }
        swaps += is_call(line, "grBufferSwap");
    }
    if (swaps >= 0)
        played.append(":").append(std::to_string(swaps)).append(" ");
    size_t n = trace.size();
    return played + (n >= 2 && trace[n - 2] == "grSstWinClose" && trace[n - 1] == "grGlideShutdown" ? "closed" : "open");
}
