# What the two mingw-w64 toolchain files share; LUMIVEX_MINGW_TRIPLET names the target.
set(CMAKE_SYSTEM_NAME Windows)

# The posix threading flavour gives the full C++ thread library; it is linked
# statically below like the rest of the runtime.
foreach(flavour -posix "")
  find_program(LUMIVEX_MINGW_CXX ${LUMIVEX_MINGW_TRIPLET}-g++${flavour})
  find_program(LUMIVEX_MINGW_CC ${LUMIVEX_MINGW_TRIPLET}-gcc${flavour})
endforeach()
set(CMAKE_C_COMPILER ${LUMIVEX_MINGW_CC})
set(CMAKE_CXX_COMPILER ${LUMIVEX_MINGW_CXX})
set(CMAKE_RC_COMPILER ${LUMIVEX_MINGW_TRIPLET}-windres)
find_program(CMAKE_DLLTOOL ${LUMIVEX_MINGW_TRIPLET}-dlltool)

set(CMAKE_FIND_ROOT_PATH /usr/${LUMIVEX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A Windows user gets lumivex.exe and glide2x.dll alone: no libgcc, libstdc++
# or winpthread DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
