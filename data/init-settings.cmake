if(NOT EXISTS "${DEST}")
  file(WRITE "${DEST}" "\"2017-01-12\",\"\",0\n")
endif()
