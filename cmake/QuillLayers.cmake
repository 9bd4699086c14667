# Layers by include path. No target sees the source tree as a whole: a library exposes only the
# headers of its own folder, staged as build/include/<target>/<folder>/<name>.h (a symbolic link
# to the source), so `#include "platform/form.h"` works exactly for the targets that link
# quill_platform. A layer that includes a folder it does not link fails to build.
#
# quill_expose_headers(<target> <folder>...): the headers directly in each folder (relative to
# the source root; subfolders belong to their own libraries).
function(quill_expose_headers target)
  set(stage ${CMAKE_BINARY_DIR}/include/${target})
  file(REMOVE_RECURSE ${stage})  # headers removed from the source go from the stage too
  foreach(folder ${ARGN})
    file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/${folder}/*.h)
    if(NOT headers)
      message(FATAL_ERROR "quill_expose_headers(${target}): no headers in ${folder}")
    endif()
    file(MAKE_DIRECTORY ${stage}/${folder})
    foreach(header ${headers})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${header} ${stage}/${header} RESULT failed SYMBOLIC)
      if(failed)
        # A host without symbolic links gets a copy, which configuring refreshes whenever the
        # header changes.
        configure_file(${PROJECT_SOURCE_DIR}/${header} ${stage}/${header} COPYONLY)
      endif()
    endforeach()
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${stage})
  else()
    target_include_directories(${target} PUBLIC ${stage})
  endif()
endfunction()
