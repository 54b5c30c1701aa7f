# Writes a man page from a program's own --help text, so the page and the
# help never drift apart. Run as a script:
#   cmake -DPROGRAM=... -DNAME=... -DSUMMARY=... -DVERSION=... -DOUTPUT=... -P ManPage.cmake
set(ENV{QT_QPA_PLATFORM} offscreen)  # the editor prints its help without a display
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR help STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} --help failed (${status})")
endif()

# troff: a backslash is written \e, a minus \-, and a line may not start with
# a control character ("." or "'").
string(REPLACE "\\" "\\e" help "${help}")
string(REPLACE "-" "\\-" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
string(REPLACE "-" "\\-" summary "${SUMMARY}")
string(TOUPPER "${NAME}" title)

file(WRITE ${OUTPUT}
".TH ${title} 1 \"\" \"Tarnwick ${VERSION}\" \"User Commands\"\n"
".SH NAME\n"
"${NAME} \\- ${summary}\n"
".SH DESCRIPTION\n"
".nf\n"
"${help}"
".fi\n")
