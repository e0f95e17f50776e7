// files.h - test support: files read whole or a line at a time, and a fresh
// temporary directory.
#ifndef LUMIVEX_TESTS_SUPPORT_FILES_H
#define LUMIVEX_TESTS_SUPPORT_FILES_H

#include <iosfwd>
#include <string>
#include <vector>

// The file's bytes; empty when it cannot be read.
std::string read_file(const std::string &path);
std::vector<std::string> read_lines(const std::string &path);
std::vector<std::string> read_lines(std::istream &&in);

// A new empty directory under the system's temporary directory.
std::string make_temp_directory();

#endif
