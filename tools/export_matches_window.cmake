# vantrel-export's file equals the configuration window's export byte for
# byte: the window's through the scenario runner, the program's over libusb
# from the same printer emulated by vantrel-demo-printer.
# -DRUNNER, -DSCENARIO, -DDEMO_PRINTER, -DEXPORT, -DWORKDIR; -DEXPORT_COMMAND
# for a program that takes a command before the file (vantrel-cli export).
file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})
execute_process(COMMAND ${RUNNER} ${SCENARIO} WORKING_DIRECTORY ${WORKDIR}
  OUTPUT_QUIET ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT EXISTS ${WORKDIR}/window.INI)
  message(FATAL_ERROR "the window's export failed (${result}): ${errors}")
endif()
execute_process(COMMAND env LC_ALL=C ${DEMO_PRINTER} -- ${EXPORT} ${EXPORT_COMMAND} program.INI
  WORKING_DIRECTORY ${WORKDIR} ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "vantrel-export failed (${result}): ${errors}")
endif()
file(READ ${WORKDIR}/window.INI window HEX)
file(READ ${WORKDIR}/program.INI program HEX)
if(NOT window STREQUAL program)
  execute_process(COMMAND diff ${WORKDIR}/window.INI ${WORKDIR}/program.INI OUTPUT_VARIABLE difference)
  message(FATAL_ERROR "the files differ:\n${difference}")
endif()
