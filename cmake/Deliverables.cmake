# The identities of the deliverables (written in cmake/Identities.cmake) and
# what each shipped file gets from its identity.

if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/windows/TypeLibrary.cmake)
endif()

# sorvin_identity(<name> DESCRIPTION <text> [CLASS <class name> <class id>]
#                 [LIBRARY <library id> <help string>] [PROG_ID <ProgID>])
# Records the identity in SORVIN_<name>_* variables. <name> is also the
# library's name and the error source; a class with a library is
# registered under the ProgID <name>.<class name> unless PROG_ID says
# otherwise. Ids are 8-4-4-4-12 upper-case hexadecimal digits, no braces.
function(sorvin_identity name)
  cmake_parse_arguments(ARG "" "DESCRIPTION;PROG_ID" "CLASS;LIBRARY" ${ARGN})
  set(prefix SORVIN_${name})
  set(${prefix}_DESCRIPTION "${ARG_DESCRIPTION}" PARENT_SCOPE)
  if(ARG_CLASS)
    list(GET ARG_CLASS 0 class_name)
    list(GET ARG_CLASS 1 class_id)
    sorvin_check_guid(${class_id})
    set(${prefix}_CLASS_NAME ${class_name} PARENT_SCOPE)
    set(${prefix}_CLASS_ID ${class_id} PARENT_SCOPE)
  endif()
  if(ARG_LIBRARY)
    list(GET ARG_LIBRARY 0 library_id)
    list(GET ARG_LIBRARY 1 library_help)
    sorvin_check_guid(${library_id})
    set(${prefix}_LIBRARY_ID ${library_id} PARENT_SCOPE)
    set(${prefix}_LIBRARY_HELP "${library_help}" PARENT_SCOPE)
    if(NOT ARG_PROG_ID)
      set(ARG_PROG_ID ${name}.${class_name})
    endif()
    if(WIN32)
      # The module's type library: its one class, implementing the host's interface.
      set(idl ${PROJECT_BINARY_DIR}/identities/${name}.idl)
      configure_file(${PROJECT_SOURCE_DIR}/cmake/windows/module_library.idl.in ${idl} @ONLY)
      set(${prefix}_IDL ${idl} PARENT_SCOPE)
    endif()
  endif()
  set(${prefix}_PROG_ID "${ARG_PROG_ID}" PARENT_SCOPE)
endfunction()

function(sorvin_check_guid guid)
  # CMake's expressions have no {n}: the groups of digits are spelt out.
  string(REPEAT "[0-9A-F]" 4 four)
  string(REPEAT "-${four}" 3 middle)
  if(NOT guid MATCHES "^${four}${four}${middle}-${four}${four}${four}$")
    message(FATAL_ERROR "\"${guid}\" is not an id of upper-case hexadecimal digits 8-4-4-4-12")
  endif()
endfunction()

# The id as a C++ initializer of a GUID: {0xAEA0B6CF, 0x6838, 0x4C95, {0xAB, ...}}.
function(sorvin_guid_initializer out guid)
  string(REPLACE "-" "" digits ${guid})
  set(bytes)
  foreach(offset RANGE 16 30 2)
    string(SUBSTRING ${digits} ${offset} 2 byte)
    list(APPEND bytes 0x${byte})
  endforeach()
  list(JOIN bytes ", " bytes)
  string(SUBSTRING ${digits} 0 8 data1)
  string(SUBSTRING ${digits} 8 4 data2)
  string(SUBSTRING ${digits} 12 4 data3)
  set(${out} "{0x${data1}, 0x${data2}, 0x${data3}, {${bytes}}}" PARENT_SCOPE)
endfunction()

# A release build ships stripped files and keeps their debug information
# beside them, to read a crash report from a till with.
if(CMAKE_BUILD_TYPE STREQUAL "Release")
  set(separate_debug_default ON)
else()
  set(separate_debug_default OFF)
endif()
option(SORVIN_SEPARATE_DEBUG_INFO
  "Compile with debug information, then move it from each shipped file into <file>.debug" ${separate_debug_default})
if(SORVIN_SEPARATE_DEBUG_INFO)
  add_compile_options(-g)
endif()

# sorvin_deliverable(<target>)
# What a shipped file gets from its identity (sorvin_identity of the same
# name): a module its ThisModule(); on Windows a version resource and, for a
# module with a type library, that library as resource 1; in a build with
# SORVIN_SEPARATE_DEBUG_INFO, its debug information moved to <file>.debug.
function(sorvin_deliverable target)
  set(prefix SORVIN_${target})
  if(NOT DEFINED ${prefix}_DESCRIPTION)
    message(FATAL_ERROR "${target} has no identity in cmake/Identities.cmake")
  endif()
  if(DEFINED ${prefix}_CLASS_ID)
    set(NAME ${target})
    set(DESCRIPTION "${${prefix}_DESCRIPTION}")
    set(CLASS_ID ${${prefix}_CLASS_ID})
    set(PROG_ID "${${prefix}_PROG_ID}")
    sorvin_guid_initializer(CLASS_ID_INITIALIZER ${CLASS_ID})
    set(identity ${CMAKE_CURRENT_BINARY_DIR}/${target}_identity.cpp)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/module_identity.cpp.in ${identity} @ONLY)
    target_sources(${target} PRIVATE ${identity})
  endif()
  if(WIN32)
    sorvin_version_resource(${target})
  endif()
  if(SORVIN_SEPARATE_DEBUG_INFO)
    # The file keeps the debug file's name and checksum (.gnu_debuglink),
    # so a debugger pairs the two again.
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE_NAME:${target}> $<TARGET_FILE_NAME:${target}>.debug
      COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug
              $<TARGET_FILE_NAME:${target}>
      WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
      VERBATIM)
  endif()
endfunction()

# The VERSIONINFO every file we ship carries, from the project's version.
function(sorvin_version_resource target)
  set(prefix SORVIN_${target})
  set(DESCRIPTION "${${prefix}_DESCRIPTION}")
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(FILE_TYPE VFT_APP)
  else()
    set(FILE_TYPE VFT_DLL)
  endif()
  foreach(part MAJOR MINOR PATCH TWEAK)
    if(PROJECT_VERSION_${part} STREQUAL "")
      set(VERSION_${part} 0)
    else()
      set(VERSION_${part} ${PROJECT_VERSION_${part}})
    endif()
  endforeach()
  if(DEFINED ${prefix}_LIBRARY_ID)
    set(TYPE_LIBRARY_RESOURCE "1 TYPELIB \"${target}.tlb\"")
  endif()
  file(READ ${PROJECT_SOURCE_DIR}/cmake/windows/deliverable.rc.in template)
  string(CONFIGURE "${template}" script @ONLY)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  # The file name is known once the target's properties are final.
  file(GENERATE OUTPUT ${rc} CONTENT "${script}")
  if(DEFINED ${prefix}_LIBRARY_ID)
    sorvin_embed_type_libraries(${target} RC ${rc} IDL ${${prefix}_IDL}
      IMPORTS ${PROJECT_SOURCE_DIR}/contract/SorvinTradeHardware.idl)
  else()
    target_sources(${target} PRIVATE ${rc})
  endif()
endfunction()
