#include "run_probe.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

// Nothing of the caller's reaches a probe, a display least of all: every
// LUMIVEX_ setting and the display are gone before the first test.
static struct Headless {
    Headless()
    {
        std::vector<std::string> names = {"DISPLAY", "WAYLAND_DISPLAY"};
        for (char **e = environ; *e; ++e)
            if (std::string(*e).starts_with("LUMIVEX_"))
                names.push_back(std::string(*e).substr(0, std::string(*e).find('=')));
        for (const std::string &name : names)
            unsetenv(name.c_str());
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    }
} headless;

std::string make_temp_directory()
{
    const char *base = std::getenv("TMPDIR");
    std::string name = std::string(base && *base ? base : "/tmp") + "/lumivex-test-XXXXXX";
    return mkdtemp(name.data()) ? name : "";
}

std::string read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> read_lines(std::istream &&in)
{
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> read_lines(const std::string &path)
{
    return read_lines(std::ifstream(path));
}

ProbeResult run_probe(const std::string &program, const std::string &directory,
                      const std::vector<std::string> &env, const std::string &argument)
{
    std::string command = "cd '" + directory + "' && exec env";
    for (const std::string &entry : env)
        command += " '" + entry + "'";
    command +=
        " '" + program + "'" + (argument.empty() ? "" : " '" + argument + "'") + " >probe.out 2>probe.err";
    int status = std::system(command.c_str());
    ProbeResult result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = read_file(directory + "/probe.out");
    result.err = read_file(directory + "/probe.err");
    return result;
}
