#include "show_runs.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "mesh_file.h"

namespace fs = std::filesystem;

StagedShow::StagedShow(Meshes meshes, const std::vector<std::string> &omit)
{
    directory = make_temp_directory();
    fs::create_directories(directory + "/pak");
    const char *files[] = {"3dfx.3df", "cube.3df", "torus.3df", "3dfx.dat", "cube.dat", "torus.dat"};
    for (const char *file : files) {
        if (std::find(omit.begin(), omit.end(), file) != omit.end())
            continue;
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

std::vector<std::string> state_calls(const std::vector<std::string> &trace)
{
    std::vector<std::string> calls;
    for (const std::string &line : trace) {
        if (is_call(line, "guDrawTriangleWithClip"))
            continue;
        if (is_call(line, "guTexAllocateMemory")) {
            std::vector<std::string> w = words(line);
            for (int arg : {3, 4, 5, 7, 8, 9})
                if (arg < (int)w.size())
                    w[arg] = '#';
            std::string joined;
            for (const std::string &word : w) {
                if (!joined.empty())
                    joined += ' ';
                joined += word;
            }
            calls.push_back(joined);
            continue;
        }
        calls.push_back(line);
    }
    return calls;
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

ExpectedCalls::ExpectedCalls(const std::vector<std::string> &trace)
{
    for (const std::string &line : trace)
        if (is_call(line, "guTexDownloadMipMap")) {
            std::vector<std::string> w = words(line);
            handles_.push_back(w.size() > 1 ? w[1] : "?");
        }
}

void ExpectedCalls::add(std::initializer_list<std::string> calls)
{
    lines.insert(lines.end(), calls.begin(), calls.end());
}

ExpectedCalls &ExpectedCalls::start_up()
{
    add({"grGlideInit", "grSstQueryHardware -", "grSstSelect 0", "grSstWinOpen 0 7 0 2 0 2 1",
         "grDepthBufferMode 2", "grDepthBufferFunction 1", "grDepthMask 1", "grBufferClear 0 0 65535",
         "grRenderBuffer 1", "grClipWindow 0 0 640 480"});
    return *this;
}

bool ExpectedCalls::load(const char *file, bool loads)
{
    std::string quoted = std::string("\"pak//") + file + "\"";
    add({"gu3dfGetInfo " + quoted + " -"});
    if (!loads)
        return false;
    handle_ = next_handle_ < handles_.size() ? handles_[next_handle_++] : "?";
    add({"gu3dfLoad " + quoted + " -", "guTexAllocateMemory 0 3 # # # 2 # # # 0 0 1 1 0 0",
         "guTexDownloadMipMap " + handle_ + " - -"});
    return true;
}

void ExpectedCalls::end_of_frame() { add({"grBufferSwap 2", "grBufferClear 0 0 65535", "grSstIdle"}); }

ExpectedCalls &ExpectedCalls::logo(long frames, bool loads)
{
    add({"guTexMemReset", "guColorCombineFunction 4", "guTexCombineFunction 0 1", "guAlphaSource 2",
         "grConstantColorValue 0", "grTexClampMode 0 0 0", "guTexMemReset"});
    if (!load("3dfx.3df", loads))
        return *this;
    for (long f = 0; f < frames; ++f) {
        add({"grConstantColorValue 1750", "guTexSource " + handle_});
        end_of_frame();
    }
    return *this;
}

ExpectedCalls &ExpectedCalls::cubes(long frames, bool loads)
{
    add({"guTexMemReset"});
    if (!load("cube.3df", loads))
        return *this;
    add({"guColorCombineFunction 4", "guTexCombineFunction 0 1", "guAlphaSource 2", "grHints 0 2",
         "grTexClampMode 0 0 0"});
    for (long f = 0; f < frames; ++f) {
        std::string select = "guTexSource " + handle_;
        add({"grConstantColorValue 150", select, select, select, select});
        end_of_frame();
    }
    return *this;
}

ExpectedCalls &ExpectedCalls::torus(long frames, bool loads)
{
    add({"guTexMemReset"});
    if (!load("torus.3df", loads))
        return *this;
    add({"guColorCombineFunction 6", "guTexCombineFunction 0 1", "guAlphaSource 2", "grHints 0 2",
         "grTexClampMode 0 0 0"});
    for (long f = 0; f < frames; ++f) {
        add({"guTexSource " + handle_});
        end_of_frame();
    }
    return *this;
}

ExpectedCalls &ExpectedCalls::close()
{
    add({"grSstWinClose", "grGlideShutdown"});
    return *this;
}

std::string first_difference(const std::vector<std::string> &actual, const std::vector<std::string> &expected)
{
    size_t i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i])
        ++i;
    if (i == actual.size() && i == expected.size())
        return "";
    std::ostringstream report;
    report << "calls differ at call " << i << " of " << actual.size() << " (expected " << expected.size()
           << ")\n";
    for (size_t k = i >= 3 ? i - 3 : 0; k < i + 3; ++k)
        report << (k == i ? "> " : "  ") << (k < actual.size() ? actual[k] : "(end)") << "    | "
               << (k < expected.size() ? expected[k] : "(end)") << "\n";
    return report.str();
}
