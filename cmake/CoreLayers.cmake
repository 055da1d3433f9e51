# Each folder of src/core is a static library that links only the folders below it. Before it
# compiles, every source and header of the folder is checked to include no core folder outside the
# ones it links (directly or through them): an include upwards, which would close a circle between
# folders, fails the build with the file and the include named.
function(airmotor_core_layer name)
  cmake_parse_arguments(LAYER "" "" "SOURCES;LINKS" ${ARGN})
  set(allowed ${name})
  set(link_targets)
  foreach(link IN LISTS LAYER_LINKS)
    if(TARGET airmotor_core_${link})
      get_property(below GLOBAL PROPERTY AIRMOTOR_CORE_LAYER_${link})
      list(APPEND allowed ${below})
      list(APPEND link_targets airmotor_core_${link})
    else()
      list(APPEND link_targets ${link})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES allowed)
  set_property(GLOBAL PROPERTY AIRMOTOR_CORE_LAYER_${name} ${allowed})

  file(GLOB layer_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.in)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/layer-${name}.checked)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DLAYER=${name} "-DALLOWED=${allowed}" "-DFILES=${layer_files}"
            -DSTAMP=${stamp} -P ${PROJECT_SOURCE_DIR}/cmake/CheckCoreLayer.cmake
    DEPENDS ${layer_files} ${PROJECT_SOURCE_DIR}/cmake/CheckCoreLayer.cmake
    COMMENT "Checking that core/${name} includes only the folders below it"
    VERBATIM)

  add_library(airmotor_core_${name} STATIC ${LAYER_SOURCES} ${stamp})
  target_include_directories(airmotor_core_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(airmotor_core_${name} PUBLIC ${link_targets})
endfunction()
