# The show as a web page, with Debian's Emscripten:
#   cmake -S . -B build-web -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-web.cmake
# Emscripten's own CMake platform does the work. Its compiler runs parts of
# itself on node, which finds Debian's acorn only through NODE_PATH: set here
# for the configuration and through the launchers for every compile and link.
set(lumivex_node_path /usr/share/nodejs)
if(DEFINED ENV{NODE_PATH})
  set(lumivex_node_path $ENV{NODE_PATH})
endif()
set(ENV{NODE_PATH} ${lumivex_node_path})
foreach(stage C_COMPILER CXX_COMPILER C_LINKER CXX_LINKER)
  set(CMAKE_${stage}_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${lumivex_node_path})
endforeach()
find_path(LUMIVEX_EMSCRIPTEN_ROOT cmake/Modules/Platform/Emscripten.cmake
          PATHS /usr/share/emscripten /usr/lib/emscripten ENV EMSCRIPTEN NO_DEFAULT_PATH)
include(${LUMIVEX_EMSCRIPTEN_ROOT}/cmake/Modules/Platform/Emscripten.cmake)
