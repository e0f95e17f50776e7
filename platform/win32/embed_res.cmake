# Writes a .res file into a C++ source that registers it with our Win32 at
# start-up, as the Windows linker puts the same file into the program.
#   cmake -DRES=file.res -DOUT=file.cpp -P embed_res.cmake
file(READ ${RES} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n"
       bytes "${bytes}")
get_filename_component(name ${RES} NAME)
file(WRITE ${OUT} "// Made by the build from ${name}; do not edit.
#include <cstddef>

bool register_resources(const unsigned char *res, size_t size);

static const unsigned char res[] = {
${bytes}};
static const bool registered = register_resources(res, sizeof res);
")
