# sorvin_plugin_module(<target> OUTPUT <file name> SOURCES ...)
# An in-process server: a shared library loaded with dlopen, exporting only
# its entry points, bound to its own symbols first.
function(sorvin_plugin_module target)
  cmake_parse_arguments(ARG "" "OUTPUT" "SOURCES;LIBRARIES" ${ARGN})
  add_library(${target} MODULE ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES})
  get_filename_component(stem ${ARG_OUTPUT} NAME_WE)
  get_filename_component(suffix ${ARG_OUTPUT} EXT)
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${stem} SUFFIX ${suffix})
  if(NOT WIN32)
    target_link_options(${target} PRIVATE -Wl,-Bsymbolic -Wl,--no-undefined
      -Wl,--version-script=${PROJECT_SOURCE_DIR}/cmake/linux-exports.map)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/linux-exports.map)
  endif()
endfunction()
