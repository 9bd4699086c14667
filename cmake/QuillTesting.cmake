# GoogleTest from Debian's source package, built with whichever compiler this build uses,
# so the same suites run natively and, cross-built, under Wine.
set(QUILL_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${QUILL_GTEST_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${QUILL_GTEST_SOURCE_DIR}; run scripts/install-deps.sh")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${QUILL_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# quill_add_gtest(target sources... LIBS libs...)
# Natively every test case becomes its own CTest test. Cross-built, one CTest test runs the
# whole binary under the emulator: starting Wine once per case would cost minutes.
function(quill_add_gtest target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES TIMEOUT 600)
  else()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# Tests that read the screen or drive the real pointer and keyboard share the one X display:
# under `ctest -j` they take turns, or one's clicks and pictures land in another's windows.
# They carry the label "screen": the test command runs them twice in a row (a test that fails
# one time in a few shows at once), and scripts/repeat-wine-tests.sh -L screen picks them.
function(quill_uses_the_screen)
  set_property(TEST ${ARGN} APPEND PROPERTY RESOURCE_LOCK screen_and_input)
  set_property(TEST ${ARGN} APPEND PROPERTY LABELS screen)
endfunction()
