# glide2x-windows.cmake - the Windows build of our Glide and of the program.
#
# Our Glide becomes glide2x.dll, exporting exactly the names in
# platform/glide/glide2x.def. The program does not link against that DLL
# target: it links against an import library made by dlltool from the same
# definition, so lumivex.exe imports every Glide call from "glide2x.dll" by
# name, and any other glide2x.dll with those exports can stand in for ours.
# lumivex.exe and glide2x.dll are both written to bin/ of the build tree, so
# the program runs in place (from a directory holding pak/).
#
#   lumivex_glide_dll(<sources>...)  glide2x_dll: the DLL built from <sources>,
#                                    and glide2x: what the program links against
#                                    (glide.h and the import library)
#   lumivex_windows_program(<target>) makes <target> a GUI program in bin/

set(LUMIVEX_WINDOWS_BIN ${PROJECT_BINARY_DIR}/bin)
get_filename_component(LUMIVEX_ROOT ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
set(LUMIVEX_GLIDE_DEF ${LUMIVEX_ROOT}/platform/glide/glide2x.def)

# The 64-bit library exports the undecorated names: the list is the 32-bit
# one with the underscore and the "@bytes" taken off.
function(lumivex_glide_def out)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(${out} ${LUMIVEX_GLIDE_DEF} PARENT_SCOPE)
    return()
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${LUMIVEX_GLIDE_DEF})
  file(STRINGS ${LUMIVEX_GLIDE_DEF} lines)
  set(text "; Made from glide2x.def by cmake/glide2x-windows.cmake.\nLIBRARY glide2x.dll\nEXPORTS\n")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*_([A-Za-z0-9_]+)@[0-9]+[ \t]*=")
      string(APPEND text "    ${CMAKE_MATCH_1}\n")
    endif()
  endforeach()
  set(def64 ${CMAKE_CURRENT_BINARY_DIR}/glide2x64.def)
  file(CONFIGURE OUTPUT ${def64} CONTENT "${text}")
  set(${out} ${def64} PARENT_SCOPE)
endfunction()

function(lumivex_glide_dll)
  lumivex_glide_def(def)

  set(sources ${ARGN} ${LUMIVEX_ROOT}/platform/glide/glide_abi_win32.cpp)
  list(REMOVE_DUPLICATES sources)
  add_library(glide2x_dll SHARED ${sources} ${def})
  target_include_directories(glide2x_dll PUBLIC ${LUMIVEX_ROOT}/platform/glide/include)
  target_compile_definitions(glide2x_dll PRIVATE LUMIVEX_BUILDING_GLIDE_DLL)
  target_link_libraries(glide2x_dll PRIVATE gdi32 user32)
  set_target_properties(glide2x_dll PROPERTIES
    OUTPUT_NAME glide2x PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${LUMIVEX_WINDOWS_BIN})

  # The import library. On 32-bit the definition's exported names already carry
  # their underscore, so dlltool must not add another.
  set(implib ${CMAKE_CURRENT_BINARY_DIR}/libglide2x_import.a)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(machine i386)
    set(underscore --no-leading-underscore)
  else()
    set(machine i386:x86-64)
    set(underscore "")
  endif()
  add_custom_command(OUTPUT ${implib}
    COMMAND ${CMAKE_DLLTOOL} -m ${machine} ${underscore} -d ${def} -l ${implib}
    DEPENDS ${def}
    COMMENT "Making the glide2x.dll import library")
  add_custom_target(glide2x_import DEPENDS ${implib})

  add_library(glide2x INTERFACE)
  target_include_directories(glide2x INTERFACE ${LUMIVEX_ROOT}/platform/glide/include)
  target_link_libraries(glide2x INTERFACE ${implib})
  add_dependencies(glide2x glide2x_import)
endfunction()

function(lumivex_windows_program target)
  set_target_properties(${target} PROPERTIES
    WIN32_EXECUTABLE ON RUNTIME_OUTPUT_DIRECTORY ${LUMIVEX_WINDOWS_BIN})
  # The program loads glide2x.dll at run time; build ours with it.
  add_dependencies(${target} glide2x_dll)
endfunction()
