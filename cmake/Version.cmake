# The program version and its date, read once at configure time: from the newest release tag
# (vMAJOR.MINOR.PATCH, dated by its commit) when the sources are a repository, otherwise from the
# VERSION file (version on the first line, yyyy-mm-dd on the second) that a source archive carries.
# Only src/core/common/BuildVersion.cpp.in receives them, so a new version recompiles one file.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../VERSION)
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../VERSION _airmotor_version_lines LIMIT_COUNT 2)
list(GET _airmotor_version_lines 0 AIRMOTOR_VERSION)
list(GET _airmotor_version_lines 1 AIRMOTOR_VERSION_DATE)

find_program(AIRMOTOR_GIT_EXECUTABLE git)
if(AIRMOTOR_GIT_EXECUTABLE AND EXISTS ${CMAKE_CURRENT_LIST_DIR}/../.git)
  execute_process(COMMAND ${AIRMOTOR_GIT_EXECUTABLE} describe --tags --abbrev=0 --match "v[0-9]*"
    WORKING_DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/.. RESULT_VARIABLE _airmotor_git_result
    OUTPUT_VARIABLE _airmotor_tag OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  # A new tag configures again (a tag is a file under refs/tags or a line of packed-refs).
  execute_process(COMMAND ${AIRMOTOR_GIT_EXECUTABLE} rev-parse --git-common-dir
    WORKING_DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/.. OUTPUT_VARIABLE _airmotor_git_dir
    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  get_filename_component(_airmotor_git_dir "${_airmotor_git_dir}" ABSOLUTE BASE_DIR ${CMAKE_CURRENT_LIST_DIR}/..)
  foreach(_airmotor_ref refs/tags packed-refs)
    if(EXISTS ${_airmotor_git_dir}/${_airmotor_ref})
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_airmotor_git_dir}/${_airmotor_ref})
    endif()
  endforeach()
  if(_airmotor_git_result EQUAL 0 AND _airmotor_tag MATCHES "^v([0-9]+\\.[0-9]+\\.[0-9]+)$")
    set(_airmotor_tag_version ${CMAKE_MATCH_1})
    execute_process(COMMAND ${AIRMOTOR_GIT_EXECUTABLE} log -1 --format=%cs ${_airmotor_tag}
      WORKING_DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/.. RESULT_VARIABLE _airmotor_git_result
      OUTPUT_VARIABLE _airmotor_tag_date OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(_airmotor_git_result EQUAL 0 AND _airmotor_tag_date MATCHES "^[0-9]+-[0-9]+-[0-9]+$")
      set(AIRMOTOR_VERSION ${_airmotor_tag_version})
      set(AIRMOTOR_VERSION_DATE ${_airmotor_tag_date})
    endif()
  endif()
endif()
if(NOT AIRMOTOR_VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "VERSION: '${AIRMOTOR_VERSION}' is not MAJOR.MINOR.PATCH")
endif()
message(STATUS "Air Motor Selector ${AIRMOTOR_VERSION} of ${AIRMOTOR_VERSION_DATE}")
