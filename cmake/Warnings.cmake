# The project's own code compiles warning-free under these flags; CI adds -Werror (AIRMOTOR_WERROR=ON).
# Applied per target, so code from outside the project never sees them.
option(AIRMOTOR_WERROR "Treat compiler warnings as errors" OFF)
add_library(airmotor_warnings INTERFACE)
target_compile_options(airmotor_warnings INTERFACE -Wall -Wextra -Wshadow -Wconversion -Wdouble-promotion
  $<$<BOOL:${AIRMOTOR_WERROR}>:-Werror>)

# Every compiled target defined in DIR and below links the flags (targets added later need no own line).
function(airmotor_apply_warnings dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      target_link_libraries(${target} PRIVATE airmotor_warnings)
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${subdirs})
    airmotor_apply_warnings(${sub})
  endforeach()
endfunction()
