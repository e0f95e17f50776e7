// run_probe.h - runs a probe program in a child process, in a working
// directory and with environment variables of the test's choosing, so that
// every run starts with a fresh Glide (which reads its configuration once).
// The tests that link it run headless, none of the caller's LUMIVEX_ settings
// set.
#ifndef LUMIVEX_TESTS_RUN_PROBE_H
#define LUMIVEX_TESTS_RUN_PROBE_H

#include <string>
#include <vector>

#include "files.h"

struct ProbeResult {
    int status = -1;  // the exit status, or 128 + the signal that ended it
    std::string out;  // what it wrote on stdout
    std::string err;  // and on stderr
};

// env entries are "NAME=value", added to the test's own environment; the
// argument, if any, is the program's one.
ProbeResult run_probe(const std::string &program, const std::string &directory,
                      const std::vector<std::string> &env, const std::string &argument = "");

#endif
