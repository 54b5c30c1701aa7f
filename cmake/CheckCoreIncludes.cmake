# Fails when a core source file includes a header of the editor program
# (app/) or of Qt. Run as a test: cmake -DTARNWICK_SOURCE_DIR=<root> -P <this>.
# The link check in CoreDependencies.cmake catches libraries; this catches
# headers, which a static library can include without linking anything.
set(core_folders document render persist export editor)
set(faults "")
foreach(folder ${core_folders})
  file(GLOB_RECURSE sources "${TARNWICK_SOURCE_DIR}/${folder}/*.h" "${TARNWICK_SOURCE_DIR}/${folder}/*.cpp")
  foreach(source ${sources})
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${includes})
      if(line MATCHES "[<\"](app/|cli/|Q[A-Za-z]*[>\"/]|Qt[A-Za-z]*/)")
        file(RELATIVE_PATH shown "${TARNWICK_SOURCE_DIR}" "${source}")
        string(STRIP "${line}" line)
        list(APPEND faults "${shown}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Core files include GUI headers:\n  ${text}")
endif()
message(STATUS "No core file includes app/, cli/ or a Qt header")
