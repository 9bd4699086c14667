# The control library's identity as COM sees it, read from the type library's source, the one
# place it is defined, so the program's manifest and the release notes cannot drift from it:
#   LUMOSCOPE_LIBID, LUMOSCOPE_TLB_VERSION  the type library
#   LUMOSCOPE_CLSID, LUMOSCOPE_PROGID       the control class; the programmatic identifier is
#                                           library name dot class name, as the server registers it
set(_idl ${PROJECT_SOURCE_DIR}/compositor/com/lumoscope.idl)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_idl})
file(READ ${_idl} _idl_text)
string(REGEX REPLACE "[\r\n\t ]+" " " _idl_text "${_idl_text}")

function(_lumoscope_match regex what)
  string(REGEX MATCH "${regex}" _found "${_idl_text}")
  if(NOT _found)
    message(FATAL_ERROR "lumoscope.idl: no ${what} found")
  endif()
  set(_m1 "${CMAKE_MATCH_1}" PARENT_SCOPE)
  set(_m2 "${CMAKE_MATCH_2}" PARENT_SCOPE)
endfunction()

_lumoscope_match("uuid\\(([-0-9A-Fa-f]+)\\)[^]]*\\] library ([A-Za-z_]+)" "library")
set(LUMOSCOPE_LIBID "{${_m1}}")
set(_library ${_m2})
_lumoscope_match("version\\(([0-9]+\\.[0-9]+)\\)[^]]*\\] library" "library version")
set(LUMOSCOPE_TLB_VERSION ${_m1})
_lumoscope_match("uuid\\(([-0-9A-Fa-f]+)\\)[^]]*\\] coclass ([A-Za-z_]+)" "control class")
set(LUMOSCOPE_CLSID "{${_m1}}")
set(LUMOSCOPE_PROGID "${_library}.${_m2}")
