# vantrel's command line without a display (cmake -P, with PROGRAM and
# VERSION set): --help and --version answer and exit 0, Qt's own options are
# let through, anything else (a watch period out of range too) is refused
# with status 2 and a message that names it.
set(ENV{DISPLAY} "")
set(ENV{WAYLAND_DISPLAY} "")
unset(ENV{QT_QPA_PLATFORM})

function(expect status out_text err_text)
  execute_process(COMMAND ${PROGRAM} ${ARGN} TIMEOUT 20
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result STREQUAL "${status}")
    message(FATAL_ERROR "`vantrel ${ARGN}`: status ${result}, not ${status}: ${err}")
  endif()
  foreach(stream out err)
    if("${${stream}_text}" STREQUAL "")
      if(NOT "${${stream}}" STREQUAL "")
        message(FATAL_ERROR "`vantrel ${ARGN}`: unexpected std${stream}: ${${stream}}")
      endif()
    else()
      string(FIND "${${stream}}" "${${stream}_text}" at)
      if(at EQUAL -1)
        message(FATAL_ERROR "`vantrel ${ARGN}`: std${stream} lacks \"${${stream}_text}\": ${${stream}}")
      endif()
    endif()
  endforeach()
endfunction()

expect(0 "Usage: vantrel [--at-login]" "" --help)
expect(0 "vantrel ${VERSION}\n" "" --version)
expect(0 "vantrel ${VERSION}\n" "" -platform offscreen --version)
expect(2 "" "vantrel: unknown option '--bogus'\nRun 'vantrel --help'" --help --bogus)
expect(2 "" "vantrel: unexpected argument 'extra'" extra)
expect(2 "" "vantrel: option '--at-login' takes no value" --at-login=yes)
expect(2 "" "vantrel: option '-platform' needs a value" -platform)
expect(2 "" "vantrel: --watch takes a number of seconds from 10 to 3600, not \"3601\"\n" --watch=3601)
