# cmake -DTOURBUCH_DB=<tool> -DPROGRAM_DIR=<dir> -P MakeDemoDatabase.cmake
if(EXISTS "${PROGRAM_DIR}/ADRE.FFD")
  return()
endif()
execute_process(COMMAND "${TOURBUCH_DB}" demo "${PROGRAM_DIR}"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "tourbuch-db demo ${PROGRAM_DIR} ist fehlgeschlagen (${result}).")
endif()
