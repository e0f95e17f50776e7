// files.cpp - test support: reading files, making temporary directories.
#include "files.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

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

std::string make_temp_directory()
{
    const char *base = std::getenv("TMPDIR");
    std::string name = std::string(base && *base ? base : "/tmp") + "/lumivex-test-XXXXXX";
    return mkdtemp(name.data()) ? name : "";
}
