# The Qt scenario runner gives up on a story it cannot finish (cmake -P,
# with RUNNER and WORKDIR set): the program's thread is held by a read that
# never returns (a FIFO no one writes, as /proc/kmsg holds the save prompt
# run as root). It must end within a few seconds of its 10 s limit, with
# status 3, the transcript so far, and the name of the window left open.
file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})
execute_process(COMMAND mkfifo ${WORKDIR}/never-written RESULT_VARIABLE made)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "mkfifo failed")
endif()
file(WRITE ${WORKDIR}/stuck.scn
  "start\ndouble-click icon\nclick panel 1003\nshow-file \"never-written\"\n")
string(TIMESTAMP started "%s")
execute_process(COMMAND ${RUNNER} --front-end qt ${WORKDIR}/stuck.scn
  WORKING_DIRECTORY ${WORKDIR} TIMEOUT 60
  RESULT_VARIABLE result OUTPUT_VARIABLE transcript ERROR_VARIABLE errors)
string(TIMESTAMP ended "%s")
math(EXPR seconds "${ended} - ${started}")
if(NOT result EQUAL 3)
  message(FATAL_ERROR "exit status ${result}, not 3, after ${seconds} s: ${errors}")
endif()
if(seconds GREATER 14)
  message(FATAL_ERROR "gave up only after ${seconds} s")
endif()
string(FIND "${errors}" "given up with the window configuration open" named)
if(named EQUAL -1)
  message(FATAL_ERROR "the window left open is not named: ${errors}")
endif()
string(FIND "${transcript}" "show configuration\n> show-file \"never-written\"" kept)
if(kept EQUAL -1)
  message(FATAL_ERROR "the transcript so far is missing: ${transcript}")
endif()
