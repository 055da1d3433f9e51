# The product around the programs: install rules, the Debian package, the fuzz harnesses.
include(${CMAKE_CURRENT_LIST_DIR}/Install.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/Fuzz.cmake)
