# sorvin_plugin_module(<target> OUTPUT <file name> SOURCES ... [LIBRARIES ...] [DEF <file.def>])
# An in-process server: a shared library loaded with dlopen, exporting only
# its entry points, bound to its own symbols first. Its identity, and on
# Windows its version resource and type library, come from the identity
# of the same name (cmake/Identities.cmake). On Windows DEF names its
# exports (by default a hardware plug-in's, windows/plugin.def).
function(sorvin_plugin_module target)
  cmake_parse_arguments(ARG "" "OUTPUT;DEF" "SOURCES;LIBRARIES" ${ARGN})
  add_library(${target} MODULE ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES})
  get_filename_component(stem ${ARG_OUTPUT} NAME_WE)
  get_filename_component(suffix ${ARG_OUTPUT} EXT)
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${stem} SUFFIX ${suffix})
  if(NOT WIN32)
    target_link_options(${target} PRIVATE -Wl,-Bsymbolic -Wl,--no-undefined
      -Wl,--version-script=${PROJECT_SOURCE_DIR}/cmake/linux-exports.map)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/linux-exports.map)
  else()
    if(NOT ARG_DEF)
      set(ARG_DEF ${PROJECT_SOURCE_DIR}/cmake/windows/plugin.def)
    endif()
    target_sources(${target} PRIVATE ${ARG_DEF})
    # The .def names the exports undecorated; 32-bit stdcall symbols carry @n.
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      target_link_options(${target} PRIVATE -Wl,--enable-stdcall-fixup)
    endif()
  endif()
  sorvin_deliverable(${target})
endfunction()
