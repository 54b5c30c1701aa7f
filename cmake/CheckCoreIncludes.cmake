# Fails when a core source file includes a header of the editor program
# (app/), of Qt, or of a core folder on its own floor or above. Run as a test:
# cmake -DTARNWICK_SOURCE_DIR=<root> -P <this>. The link check in
# CoreDependencies.cmake catches libraries; this catches headers, which a
# static library can include without linking anything.
set(core_folders document render persist export editor)
set(below_document "")
set(below_render document)
set(below_persist document)
set(below_export document render persist)
set(below_editor document)
set(faults "")
foreach(folder ${core_folders})
  set(forbidden ${core_folders})
  list(REMOVE_ITEM forbidden ${folder} ${below_${folder}})
  list(JOIN forbidden "|" forbidden)
  file(GLOB_RECURSE sources "${TARNWICK_SOURCE_DIR}/${folder}/*.h" "${TARNWICK_SOURCE_DIR}/${folder}/*.cpp")
  foreach(source ${sources})
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${includes})
      if(line MATCHES "[<\"](app/|cli/|Q[A-Za-z]*[>\"/]|Qt[A-Za-z]*/)" OR
         (forbidden AND line MATCHES "\"(${forbidden})/"))
        file(RELATIVE_PATH shown "${TARNWICK_SOURCE_DIR}" "${source}")
        string(STRIP "${line}" line)
        list(APPEND faults "${shown}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Core files include GUI headers or headers above them:\n  ${text}")
endif()
message(STATUS "No core file includes app/, cli/, a Qt header or a core folder above it")
