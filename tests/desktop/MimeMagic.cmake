# The MIME package compiled by update-mime-database knows a document by its
# name (*.twk) and by its first four bytes (74 00 77 00).
#   cmake -DTOOL=update-mime-database -DPACKAGE=tarnwick-mime.xml -DWORK=dir -P MimeMagic.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/packages)
file(COPY_FILE ${PACKAGE} ${WORK}/packages/tarnwick.xml)
execute_process(COMMAND ${TOOL} ${WORK} RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "update-mime-database failed: ${errors}")
endif()

file(READ ${WORK}/magic magic HEX)
# "[50:application/x-tarnwick]\n>0=" then the length 4 (00 04) and t\0w\0.
string(HEX "[50:application/x-tarnwick]\n>0=" rule)
string(FIND "${magic}" "${rule}00047400770" at)
if(at EQUAL -1)
  message(FATAL_ERROR "no magic rule for the document tag in ${magic}")
endif()
file(READ ${WORK}/globs2 globs)
if(NOT globs MATCHES "application/x-tarnwick:\\*\\.twk")
  message(FATAL_ERROR "no *.twk glob in ${globs}")
endif()
file(REMOVE_RECURSE ${WORK})
