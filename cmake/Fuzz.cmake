# Fuzz harnesses for the readers of untrusted files. In an ordinary build each harness is linked
# with a replay driver and the kept inputs (fuzz/regressions, fuzz/seeds) are replayed as tests;
# with AIRMOTOR_FUZZ=ON (a clang build made by `make fuzz`) they are linked with libFuzzer.
option(AIRMOTOR_FUZZ "link the fuzz harnesses with libFuzzer (needs clang)" OFF)
set(AIRMOTOR_FUZZ_DIR ${CMAKE_SOURCE_DIR}/fuzz)
set(AIRMOTOR_FUZZERS
  "settings:SettingsFuzzer.cpp:airmotor_core"
  "wmf:WmfFuzzer.cpp:airmotor_platform"
  "database-builder:DatabaseBuilderFuzzer.cpp:airmotor_platform"
  "catalogue-database:CatalogueDatabaseFuzzer.cpp:airmotor_platform"
  "measurement-file:MeasurementFileFuzzer.cpp:airmotor_core"
  "csv-reader:CsvReaderFuzzer.cpp:airmotor_core"
  "access-reader:AccessReaderFuzzer.cpp:airmotor_access_dump"
  "workbook:WorkbookFuzzer.cpp:airmotor_platform")
foreach(entry ${AIRMOTOR_FUZZERS})
  string(REPLACE ":" ";" parts ${entry})
  list(GET parts 0 name)
  list(GET parts 1 source)
  list(GET parts 2 library)
  add_executable(fuzz-${name} ${AIRMOTOR_FUZZ_DIR}/${source})
  target_link_libraries(fuzz-${name} PRIVATE ${library})
  target_compile_definitions(fuzz-${name} PRIVATE AIRMOTOR_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  set_target_properties(fuzz-${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  if(AIRMOTOR_FUZZ)
    target_link_options(fuzz-${name} PRIVATE -fsanitize=fuzzer)
  else()
    target_sources(fuzz-${name} PRIVATE ${AIRMOTOR_FUZZ_DIR}/ReplayMain.cpp)
    add_test(NAME fuzz_regressions_${name}
      COMMAND fuzz-${name} ${AIRMOTOR_FUZZ_DIR}/regressions/${name} ${AIRMOTOR_FUZZ_DIR}/seeds/${name})
    set_tests_properties(fuzz_regressions_${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
      LABELS fast)
  endif()
endforeach()
