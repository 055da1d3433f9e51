# Install rules: `cmake --install build --prefix P` gives a program that runs as installed.
# The program finds its data in P/share/airmotor beside P/bin (see ResolveProgramFolder), so these
# two destinations are fixed, whatever GNUInstallDirs would choose.
set(AIRMOTOR_INSTALL_BIN bin)
set(AIRMOTOR_INSTALL_DATA share/airmotor)
set(AIRMOTOR_APP_ID org.airmotorselector.AirMotorSelector)
set(AIRMOTOR_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS airmotor-cli RUNTIME DESTINATION ${AIRMOTOR_INSTALL_BIN})
if(TARGET airmotor-server)
  install(TARGETS airmotor-server RUNTIME DESTINATION ${AIRMOTOR_INSTALL_BIN})
  # The web selector as a service: an unprivileged dynamic user over the read-only installed data.
  install(FILES ${AIRMOTOR_PACKAGING_DIR}/airmotor-server.service DESTINATION lib/systemd/system)
endif()
# The Access reader runs as a child of the programs only (AccessReader finds it there).
install(TARGETS airmotor-access-reader RUNTIME DESTINATION libexec/airmotor)
if(TARGET airmotor)
  install(TARGETS airmotor RUNTIME DESTINATION ${AIRMOTOR_INSTALL_BIN})
endif()

# The bundled catalogue and the files the build places in the program folder: drawings, print
# artwork and documents. No ZEVODIDA.DAT: without one the first start asks for the language, and
# each user's choice is kept in ~/.config/airmotor.
install(FILES ${AIRMOTOR_BIN_DIR}/Zevodida.db DESTINATION ${AIRMOTOR_INSTALL_DATA})
install(DIRECTORY ${AIRMOTOR_BIN_DIR}/ DESTINATION ${AIRMOTOR_INSTALL_DATA}
  FILES_MATCHING
  PATTERN "*.WMF" PATTERN "*.wmf" PATTERN "*.SVG" PATTERN "*.svg" PATTERN "*.BMP" PATTERN "*.bmp"
  PATTERN "*.pdf" PATTERN "*.PDF" PATTERN "*.doc"
  PATTERN "help" EXCLUDE PATTERN "CMakeFiles" EXCLUDE)
# The production comparison looks for its database and workbooks in Produktionsdata/ beside the
# catalogue; an installed folder is read-only, so the batches then ask where to write sheet TKM.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/samples/Produktionsdata DESTINATION ${AIRMOTOR_INSTALL_DATA})
foreach(sub help documents samples web)
  if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/data/${sub})
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/${sub} DESTINATION ${AIRMOTOR_INSTALL_DATA})
  endif()
endforeach()

# Desktop integration: menu entry, icon (SVG and the hicolor PNG sizes), AppStream metainfo.
install(FILES ${AIRMOTOR_PACKAGING_DIR}/${AIRMOTOR_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${AIRMOTOR_PACKAGING_DIR}/${AIRMOTOR_APP_ID}.svg DESTINATION share/icons/hicolor/scalable/apps)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor/ DESTINATION share/icons/hicolor
  FILES_MATCHING PATTERN "*.png")
configure_file(${AIRMOTOR_PACKAGING_DIR}/${AIRMOTOR_APP_ID}.metainfo.xml
  ${CMAKE_BINARY_DIR}/packaging/${AIRMOTOR_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${AIRMOTOR_APP_ID}.metainfo.xml DESTINATION share/metainfo)

# Man pages made from the programs' own --help and --version, so they cannot drift from them.
# Off in the sanitizer build: it installs nothing, and help2man would start each sanitized program
# once per command.
option(AIRMOTOR_BUILD_MAN "Write the man pages with help2man" ON)
find_program(HELP2MAN_EXECUTABLE help2man)
find_program(GZIP_EXECUTABLE gzip)
if(NOT AIRMOTOR_BUILD_MAN)
  message(STATUS "Man pages off (AIRMOTOR_BUILD_MAN)")
elseif(HELP2MAN_EXECUTABLE AND GZIP_EXECUTABLE)
  set(AIRMOTOR_MAN_PAGES)
  set(AIRMOTOR_MAN_NAME_airmotor-cli "the catalogue and search of Air Motor Selector on the command line")
  set(AIRMOTOR_MAN_NAME_airmotor "choose a compressed-air motor for a duty")
  set(AIRMOTOR_MAN_NAME_airmotor-server "serve the air motor selection over HTTP")
  foreach(program airmotor-cli airmotor airmotor-server)
    if(TARGET ${program})
      set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
      # airmotor-cli(1) also carries each command's own help: its options and an example.
      set(include_steps)
      set(include_option)
      if(program STREQUAL "airmotor-cli")
        set(include ${CMAKE_BINARY_DIR}/man/${program}.h2m)
        set(include_steps COMMAND sh ${AIRMOTOR_PACKAGING_DIR}/cli-command-manual.sh
                          $<TARGET_FILE:${program}> ${include})
        set(include_option --include ${include})
      endif()
      add_custom_command(
        OUTPUT ${page}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
        ${include_steps}
        COMMAND ${HELP2MAN_EXECUTABLE} --no-info --section 1 --name ${AIRMOTOR_MAN_NAME_${program}}
                ${include_option} --output ${page} $<TARGET_FILE:${program}>
        COMMAND ${GZIP_EXECUTABLE} -9nf ${page}
        DEPENDS ${program} ${AIRMOTOR_PACKAGING_DIR}/cli-command-manual.sh
        COMMENT "Writing the man page ${program}(1)"
        VERBATIM)
      list(APPEND AIRMOTOR_MAN_PAGES ${page}.gz)
    endif()
  endforeach()
  add_custom_target(airmotor_man_pages ALL DEPENDS ${AIRMOTOR_MAN_PAGES})
  install(FILES ${AIRMOTOR_MAN_PAGES} DESTINATION share/man/man1)
else()
  message(STATUS "help2man not found: no man pages (scripts/install-deps installs it)")
endif()

# The installed tree as a user meets it: installed into a temporary prefix, run from elsewhere.
add_test(NAME install_tree
  COMMAND sh ${CMAKE_SOURCE_DIR}/tests/install/check-install.sh ${CMAKE_BINARY_DIR} ${CMAKE_COMMAND})
set_tests_properties(install_tree PROPERTIES TIMEOUT 300 ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
  LABELS install)
# The help and version tests run both executables and compare with the project's version.
if(TARGET cli_tests)
  target_link_libraries(cli_tests PRIVATE airmotor_version)
  if(TARGET airmotor)
    add_dependencies(cli_tests airmotor)
  endif()
endif()
