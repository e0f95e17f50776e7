// run_probe.cpp - runs probe programs headless, in a child process.
#include "run_probe.h"

#include "environment.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

// Nothing of the caller's reaches a probe, a display least of all: every
// LUMIVEX_ setting and the display are gone before the first test.
static const bool headless = (clear_settings(), go_headless(), true);

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
