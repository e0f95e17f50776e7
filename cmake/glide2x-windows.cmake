# glide2x-windows.cmake - the Windows build of our Glide and of the program.
#
# Our Glide is glide2x.dll, exporting exactly the names in
# platform/glide/glide2x.def. The program links against an import library
# that dlltool makes from that same definition, not the one the linker writes
# for the DLL, so lumivex.exe imports every Glide call from "glide2x.dll" by
# its public name, and any other glide2x.dll with those exports can stand in
# for ours. lumivex.exe and glide2x.dll are both written to bin/ of the build
# tree, so that the program runs in place (from a folder holding pak/).
#
#   lumivex_glide_dll(<target>)           <target>, a SHARED library, becomes
#                                         glide2x.dll with its import library
#   lumivex_windows_program(<target> [<resource script>...])
#                                         <target> becomes a GUI program in bin/

include_guard(GLOBAL)

# The 64-bit library exports the undecorated names: the list is the 32-bit
# one with the underscore and the "@bytes" taken off.
function(lumivex_glide_def out)
  get_filename_component(root ${CMAKE_CURRENT_FUNCTION_LIST_DIR} DIRECTORY)
  set(glide_def ${root}/platform/glide/glide2x.def)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(${out} ${glide_def} PARENT_SCOPE)
    return()
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${glide_def})
  file(STRINGS ${glide_def} lines)
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

function(lumivex_glide_dll target)
  lumivex_glide_def(def)
  target_sources(${target} PRIVATE ${def})
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME glide2x PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)

  # The import library replaces the linker's own after every link. On 32-bit
  # the definition's exported names already carry their underscore, so
  # dlltool must not add another.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(machine i386 --no-leading-underscore)
  else()
    set(machine i386:x86-64)
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_DLLTOOL} -m ${machine} -d ${def} -l $<TARGET_LINKER_FILE:${target}>
    COMMENT "Making the glide2x.dll import library from glide2x.def"
    VERBATIM)
endfunction()

function(lumivex_windows_program target)
  if(ARGN)
    target_sources(${target} PRIVATE ${ARGN})
  endif()
  set_target_properties(${target} PROPERTIES
    WIN32_EXECUTABLE ON RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
  # WinMain may live in a static library, which the linker has passed by the
  # time the run-time's start-up code asks for it: ask for it first.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(${target} PRIVATE "LINKER:--undefined=_WinMain@16")
  else()
    target_link_options(${target} PRIVATE "LINKER:--undefined=WinMain")
  endif()
endfunction()
