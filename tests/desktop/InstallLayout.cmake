# `cmake --install` into a scratch prefix puts the programs, the launcher,
# the file type, the AppStream metadata and both man pages in place; the
# installed man pages are well-formed for man.
#   cmake -DBUILD=dir -DPREFIX=dir -DFILES="a;b" -P InstallLayout.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${errors}")
endif()
foreach(f ${FILES})
  if(NOT EXISTS ${PREFIX}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
file(GLOB pages ${PREFIX}/share/man/man1/*.1)
foreach(page ${pages})
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C MANWIDTH=80 man --warnings -l ${page} RESULT_VARIABLE status
                  OUTPUT_VARIABLE text ERROR_VARIABLE warnings)
  if(NOT status EQUAL 0 OR NOT warnings STREQUAL "" OR NOT text MATCHES "Usage:")
    message(FATAL_ERROR "${page}: ${status} ${warnings}")
  endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})
