# Shared target settings and the layering rule: the GUI-free core never links widgets.

function(quillmont_target_defaults target)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
endfunction()

function(quillmont_core_library target)
  add_library(${target} STATIC ${ARGN})
  quillmont_target_defaults(${target})
endfunction()

# Fails the configuration when a widget module reaches the GUI-free core.
function(quillmont_check_core_layering target)
  get_target_property(libs ${target} LINK_LIBRARIES)
  get_target_property(ilibs ${target} INTERFACE_LINK_LIBRARIES)
  foreach(lib IN LISTS libs ilibs)
    if(lib MATCHES "Widgets|PrintSupport|Multimedia")
      message(FATAL_ERROR "${target} must stay GUI-free but links ${lib}")
    endif()
  endforeach()
endfunction()
