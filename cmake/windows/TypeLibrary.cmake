# sorvin_embed_type_libraries(<target> RC <script.rc> IDL <file.idl>... [IMPORTS <file.idl>...])
# Compiles each IDL file to <name>.tlb in the current binary folder with widl
# and links the resource script, which names the .tlb files, into <target>.
# IMPORTS are the IDL files that those import: their folders are searched
# and a change to them rebuilds the libraries.

# The system interfaces (oaidl.idl, unknwn.idl, ...) that every library
# imports. Debian's MinGW packages have no .idl files; libwine-dev has them.
find_path(SORVIN_SYSTEM_IDL_DIR oaidl.idl
  PATHS /usr/include/wine/wine/windows /usr/include/wine/windows
  NO_CMAKE_FIND_ROOT_PATH)
if(NOT SORVIN_SYSTEM_IDL_DIR)
  message(FATAL_ERROR "oaidl.idl not found: install libwine-dev")
endif()
# importlib("stdole2.tlb") reads the platform's standard library, which
# Wine installs for each word size.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(stdole_dirs /usr/lib/x86_64-linux-gnu/wine/x86_64-windows /usr/lib/i386-linux-gnu/wine/i386-windows)
else()
  set(stdole_dirs /usr/lib/i386-linux-gnu/wine/i386-windows /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
endif()
find_path(SORVIN_STDOLE_DIR stdole2.tlb PATHS ${stdole_dirs} NO_CMAKE_FIND_ROOT_PATH)
if(NOT SORVIN_STDOLE_DIR)
  message(FATAL_ERROR "stdole2.tlb not found: install wine64 or wine32")
endif()
find_program(SORVIN_WIDL NAMES ${SORVIN_MINGW_TRIPLET}-widl widl REQUIRED)

function(sorvin_embed_type_libraries target)
  cmake_parse_arguments(ARG "" "RC" "IDL;IMPORTS" ${ARGN})
  # The word size is part of a type library's layout.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(word_size --win64)
  else()
    set(word_size --win32)
  endif()
  set(search -I${SORVIN_SYSTEM_IDL_DIR} -L${SORVIN_STDOLE_DIR})
  foreach(import IN LISTS ARG_IMPORTS)
    get_filename_component(folder ${import} DIRECTORY)
    list(APPEND search -I${folder})
  endforeach()
  list(REMOVE_DUPLICATES search)

  set(libraries)
  foreach(idl IN LISTS ARG_IDL)
    get_filename_component(name ${idl} NAME_WE)
    set(tlb ${CMAKE_CURRENT_BINARY_DIR}/${name}.tlb)
    add_custom_command(OUTPUT ${tlb}
      COMMAND ${SORVIN_WIDL} ${word_size} -t ${search} -o ${tlb} ${idl}
      DEPENDS ${idl} ${ARG_IMPORTS}
      COMMENT "Type library ${name}.tlb"
      VERBATIM)
    list(APPEND libraries ${tlb})
  endforeach()

  target_sources(${target} PRIVATE ${ARG_RC})
  # windres finds the .tlb files named in the script here.
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
  set_source_files_properties(${ARG_RC} PROPERTIES OBJECT_DEPENDS "${libraries}")
endfunction()
