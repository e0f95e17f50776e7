# The show as a web page, with Debian's Emscripten:
#   cmake -S . -B build-web -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-web.cmake
# Emscripten's own CMake platform does the work; its compiler runs on node,
# which finds Debian's acorn only through NODE_PATH.
if(NOT DEFINED ENV{NODE_PATH})
  set(ENV{NODE_PATH} /usr/share/nodejs)
endif()
find_path(LUMIVEX_EMSCRIPTEN_ROOT cmake/Modules/Platform/Emscripten.cmake
          PATHS /usr/share/emscripten /usr/lib/emscripten ENV EMSCRIPTEN NO_DEFAULT_PATH)
include(${LUMIVEX_EMSCRIPTEN_ROOT}/cmake/Modules/Platform/Emscripten.cmake)
