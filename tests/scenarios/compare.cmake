# Plays one scenario and compares its transcript with the expected one.
# -DRUNNER, -DSCENARIO, -DEXPECTED, -DWORKDIR (a fresh folder for its files),
# -DFRONT_END (optional; the runner's default otherwise).
file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})
set(choice)
if(FRONT_END)
  set(choice --front-end ${FRONT_END})
endif()
execute_process(COMMAND ${RUNNER} ${choice} ${SCENARIO}
  WORKING_DIRECTORY ${WORKDIR}
  OUTPUT_VARIABLE transcript ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the scenario could not be played (${result}): ${errors}")
endif()
file(WRITE ${WORKDIR}/transcript.txt "${transcript}")
file(READ ${EXPECTED} expected)
if(NOT transcript STREQUAL expected)
  execute_process(COMMAND diff -u ${EXPECTED} ${WORKDIR}/transcript.txt OUTPUT_VARIABLE difference)
  message(FATAL_ERROR "the transcript differs from ${EXPECTED}:\n${difference}")
endif()
