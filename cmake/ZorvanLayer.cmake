# Headers nearly every unit includes are compiled once: the class library has its own
# precompiled header (the standard library and Qt); the layers above it share one (the standard
# library and the class library's most used headers, no Qt: Qt stays inside the class library).
set(ZORVAN_PCH_STD <algorithm> <array> <cmath> <cstdint> <cstring> <functional> <map> <memory>
  <string> <utility> <vector>)
set(ZORVAN_PCH_CLASSLIB
  ${CMAKE_SOURCE_DIR}/src/classlib/Types.h ${CMAKE_SOURCE_DIR}/src/classlib/SysUtils.h
  ${CMAKE_SOURCE_DIR}/src/classlib/Forms.h ${CMAKE_SOURCE_DIR}/src/classlib/StdCtrls.h
  ${CMAKE_SOURCE_DIR}/src/classlib/Dialogs.h ${CMAKE_SOURCE_DIR}/src/classlib/Grids.h
  ${CMAKE_SOURCE_DIR}/src/classlib/Canvas.h)

# zorvan_layer_pch(<target>): the first layer made owns the shared precompiled header, the
# others reuse it (all layers compile with the same flags).
function(zorvan_layer_pch target)
  get_property(owner GLOBAL PROPERTY ZORVAN_LAYER_PCH_OWNER)
  if(owner)
    target_precompile_headers(${target} REUSE_FROM ${owner})
  else()
    set_property(GLOBAL PROPERTY ZORVAN_LAYER_PCH_OWNER ${target})
    target_precompile_headers(${target} PRIVATE ${ZORVAN_PCH_STD} ${ZORVAN_PCH_CLASSLIB})
  endif()
endfunction()

# zorvan_layer(<target> DEPS <libs...>): a static library of every .cpp under the current folder
# (sub-folders that are layers of their own are excluded by EXCLUDE).
function(zorvan_layer target)
  cmake_parse_arguments(L "" "" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(ex ${L_EXCLUDE})
    list(FILTER srcs EXCLUDE REGEX "^${CMAKE_CURRENT_SOURCE_DIR}/${ex}/")
  endforeach()
  if(NOT srcs)
    set(stub ${CMAKE_CURRENT_BINARY_DIR}/${target}_empty.cpp)
    # Written once: rewriting it at every configure would rebuild everything that links it.
    if(NOT EXISTS ${stub})
      file(WRITE ${stub} "// layer without units yet\n")
    endif()
    set(srcs ${stub})
  endif()
  add_library(${target} STATIC ${srcs})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${L_DEPS})
  zorvan_layer_pch(${target})
endfunction()

# Test code is compiled without optimisation, in the sanitized tree too: it is mostly setup and
# assertions, compiles in half the time that way (a third under the sanitizers), and the code it
# tests keeps its tree's own optimisation.
function(zorvan_test_options target)
  target_compile_options(${target} PRIVATE -O0)
  # In a unity build every test file is included into a batch, and GCC then warns that a test
  # derives from a fixture kept in the file's anonymous namespace; that is the intended scope.
  target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
endfunction()
