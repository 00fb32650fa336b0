# Builds the self-update package of a program folder and its configuration:
#   cmake -DPROGRAM_DIR=bin -DOUT_DIR=out -DVERSION=0.1.0.1 -DBASE_URL=https://host/path/
#         -P make-update-package.cmake
# The package is a ".tar.gz" of the program files (never the user's data files);
# the configuration names it with its SHA-256.
foreach(var PROGRAM_DIR OUT_DIR VERSION BASE_URL)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "make-update-package: ${var} is not set")
  endif()
endforeach()
set(name "vetrilo-update-${VERSION}.tar.gz")
file(GLOB files RELATIVE "${PROGRAM_DIR}"
     "${PROGRAM_DIR}/Vetrilo_4d47" "${PROGRAM_DIR}/vetrilo-cli" "${PROGRAM_DIR}/vetrilo-catalog"
     "${PROGRAM_DIR}/Vetrilo_4d47_*.lng")
if(IS_DIRECTORY "${PROGRAM_DIR}/help")
  list(APPEND files help)
endif()
if(NOT files)
  message(FATAL_ERROR "make-update-package: no program files in ${PROGRAM_DIR}")
endif()
file(MAKE_DIRECTORY "${OUT_DIR}")
execute_process(COMMAND ${CMAKE_COMMAND} -E tar czf "${OUT_DIR}/${name}" ${files}
                WORKING_DIRECTORY "${PROGRAM_DIR}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "make-update-package: tar failed")
endif()
file(SHA256 "${OUT_DIR}/${name}" sha)
file(WRITE "${OUT_DIR}/Zorvat_AU.cfg"
     "[Vetrilo_4d47]\r\nVerId=${VERSION}\r\nDescription=Vetrilo ${VERSION}\r\n"
     "DownloadUrl=${BASE_URL}${name}\r\nOriginalFileName=${name}\r\n"
     "ChecksumSHA256=${sha}\r\n")
message(STATUS "Update package: ${OUT_DIR}/${name}")
message(STATUS "Update configuration: ${OUT_DIR}/Zorvat_AU.cfg")
