# The release's one version is the project version in the top-level CMakeLists.txt. Everything
# that shows it follows from here: the version blocks of both binaries (quill_version.h), the
# release zip's name, and the about box's picture, which is drawn with it and checked below.
if(PROJECT_VERSION_MINOR LESS 10)
  set(QUILL_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.0${PROJECT_VERSION_MINOR}")
else()
  set(QUILL_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
endif()
set(QUILL_GENERATED_DIR ${CMAKE_BINARY_DIR}/gen)
configure_file(${CMAKE_CURRENT_LIST_DIR}/quill_version.h.in ${QUILL_GENERATED_DIR}/quill_version.h @ONLY)

# The about box's picture carries "Ver x.yy" as pixels; tools/artwork/make_about.sh records the
# version it drew beside it. A stale picture stops the build instead of shipping a wrong version.
set(_about_version_file ${PROJECT_SOURCE_DIR}/forms/about.bmp.version)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_about_version_file})
file(STRINGS ${_about_version_file} _about_version LIMIT_COUNT 1)
if(NOT _about_version STREQUAL QUILL_VERSION_TEXT)
  message(FATAL_ERROR "forms/about.bmp shows version '${_about_version}', the project is "
    "${QUILL_VERSION_TEXT}: redraw it with tools/artwork/make_about.sh")
endif()
