# Helpers shared by the subsystems' CMake files.

# Test code: the test programs and their helpers. Nearly all of it is GoogleTest's expanded
# assertions, which cost the compiler far more at -O2 with full debug information than they
# give back: in the optimised builds it is compiled at -O1 with line tables only (a failure's
# backtrace still names file and line), while the code under test keeps the build's flags.
set(SUITE_TEST_CODE_OPTIONS "$<$<CONFIG:RelWithDebInfo,Release,MinSizeRel>:-O1;-g1>")
function(suite_test_code target)
  target_compile_options(${target} PRIVATE ${SUITE_TEST_CODE_OPTIONS})
endfunction()

# Unity groups: most of a file's compile is parsing the standard library's, Qt's and
# GoogleTest's headers, so a library's or test program's files are compiled a few at a time in
# one translation unit (a group of eight test files compiles in a quarter of the time the eight
# take alone). A file's group comes from a hash of its path, with a power of two of groups, so
# that adding a file never moves another file into a new company: when the number of groups
# doubles, each group only splits. Names a file keeps to itself (an anonymous namespace, a
# static function) must therefore differ from those of the other files of its group; a clash
# is a compile error, never a silent change.
option(SUITE_UNITY "Compile the files of each library and test program in groups" ON)
set(SUITE_UNITY_GROUP_SIZE 8 CACHE STRING "Files per unity group, on average at most")
function(suite_unity target)
  if(NOT SUITE_UNITY)
    return()
  endif()
  set(sources ${ARGN})
  list(LENGTH sources count)
  set(groups 1)
  math(EXPR capacity "${groups} * ${SUITE_UNITY_GROUP_SIZE}")
  while(capacity LESS count)
    math(EXPR groups "${groups} * 2")
    math(EXPR capacity "${groups} * ${SUITE_UNITY_GROUP_SIZE}")
  endwhile()
  foreach(source ${sources})
    file(RELATIVE_PATH path ${PROJECT_SOURCE_DIR} ${source})
    string(MD5 hash "${path}")
    string(SUBSTRING "${hash}" 0 6 hex)
    math(EXPR group "0x${hex} % ${groups}")
    set_property(SOURCE ${source} PROPERTY UNITY_GROUP "${target}_${group}")
  endforeach()
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_MODE GROUP)
  # The warning is meant for a type of a header with a base or member that only one file can
  # see; in a group every file is included by the group's file, as a header would be.
  target_compile_options(${target} PRIVATE -Wno-subobject-linkage ${SUITE_UNITY_CHECK_FLAGS})
endfunction()

# suite_add_subsystem(<name> [SHARED] LIBS ...): a static, position-independent library of
# every source under the folder except its tests/ and bench/ folders; with SHARED a shared
# library instead, for a subsystem that the deliverables' shared libraries (Tolvar, Chartexa)
# and the programs that load them all build on: one copy of its objects in a process, where a
# static copy in each module would define every object of it twice.
function(suite_add_subsystem name)
  cmake_parse_arguments(ARG "SHARED" "" "LIBS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/(tests|bench)/")
  # A sub-folder with a CMakeLists.txt of its own is a library of its own.
  file(GLOB_RECURSE own_projects CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  foreach(project_file ${own_projects})
    get_filename_component(project_dir ${project_file} DIRECTORY)
    list(FILTER sources EXCLUDE REGEX "^${project_dir}/")
  endforeach()
  if(NOT sources)
    # A subsystem whose first sources have not landed yet.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
    return()
  endif()
  if(ARG_SHARED)
    add_library(${name} SHARED ${sources})
    # Compiled as for a static library (no <name>_EXPORTS), so that both share the compiler's
    # cache; every symbol is exported, as a static library offers every symbol.
    set_target_properties(${name} PROPERTIES DEFINE_SYMBOL "")
    # Everything it calls comes from the libraries it names, never from whatever else a
    # process happens to load.
    target_link_options(${name} PRIVATE "LINKER:--no-undefined")
  else()
    add_library(${name} STATIC ${sources})
  endif()
  suite_unity(${name} ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# suite_add_tests(<name> LIBS ... [DIRS ...]): one GoogleTest executable of every
# tests/*.cpp of the folder (or of each of DIRS), each case registered on its own, headless, in its own temporary drive folders,
# with a time-out so that a hang fails in seconds.
function(suite_add_tests name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "LIBS;DIRS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 30)
  endif()
  if(NOT ARG_DIRS)
    set(ARG_DIRS ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  set(test_sources)
  foreach(dir ${ARG_DIRS})
    file(GLOB found CONFIGURE_DEPENDS ${dir}/tests/*.cpp)
    list(APPEND test_sources ${found})
  endforeach()
  # Grouped by all of them, so that a sanitizer tree's groups are parts of the full tree's.
  set(all_test_sources ${test_sources})
  if(SUITE_SANITIZE)
    # A sanitizer tree registers only the suites named "...Stress" (threads, sockets and lines
    # under load and teardown) and, under AddressSanitizer, the "...BadInput" suites that replay
    # the damaged-file fixtures. It compiles only the test files that hold one, with the tests'
    # helpers (files without test cases), and looks again when a test file changes.
    if(SUITE_SANITIZE STREQUAL "address")
      set(run_suites "Stress|BadInput")
      set(sanitize_filter "*Stress.*:*BadInput.*")
    else()
      set(run_suites "Stress")
      set(sanitize_filter "*Stress.*")
    endif()
    set(held)
    set(any_suite FALSE)
    foreach(source ${test_sources})
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
      file(STRINGS ${source} suites REGEX "(TEST(_F)?\\(|using )[A-Za-z0-9_]*(${run_suites})[ ,=]")
      file(STRINGS ${source} cases REGEX "TEST(_F)?\\(")
      if(suites)
        list(APPEND held ${source})
        set(any_suite TRUE)
      elseif(NOT cases)
        # A helper of the tests (a canvas, a fixture's sources): compiled with whichever
        # test files use it.
        list(APPEND held ${source})
      endif()
    endforeach()
    if(NOT any_suite)
      set(held)
    endif()
    set(test_sources ${held})
  endif()
  if(NOT test_sources)
    return()
  endif()
  add_executable(${name} ${test_sources})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} testsupport GTest::gtest GTest::gmock)
  suite_test_code(${name})
  suite_unity(${name} ${all_test_sources})
  target_compile_definitions(${name} PRIVATE SUITE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  target_compile_definitions(${name} PRIVATE SUITE_BINARY_DIR="${PROJECT_BINARY_DIR}")
  if(SUITE_SANITIZE)
    # Labelled "sanitize", with room for the sanitizer's slowness.
    gtest_discover_tests(${name}
      TEST_FILTER "${sanitize_filter}"
      DISCOVERY_TIMEOUT 120
      PROPERTIES TIMEOUT 180 LABELS sanitize ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  else()
    gtest_discover_tests(${name}
      DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
endfunction()
