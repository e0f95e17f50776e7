// glide_log.h - for tests of code that calls our Glide: the process runs
// offscreen and headless, and its Glide calls go to a log of its own (set up
// before its first call), read back here a line a call.
#ifndef LUMIVEX_TESTS_GLIDE_LOG_H
#define LUMIVEX_TESTS_GLIDE_LOG_H

#include <string>
#include <vector>

// The calls logged since the last look; the first look starts the log.
// Call it before the code under test.
std::vector<std::string> glide_calls();

#endif
