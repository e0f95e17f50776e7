# Cross-compiles Lumivex as a 32-bit Windows program with Debian's mingw-w64:
#   cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake
# The processor name makes the root CMakeLists choose SSE2 float math, so the
# 32-bit program rounds exactly as the 64-bit one does.
set(LUMIVEX_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
