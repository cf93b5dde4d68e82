# Runs make_strings on a faulty source (cmake -P, with TOOL, SOURCE, OUTPUT
# and EXPECT set) and fails unless the tool refuses it with a message that
# contains EXPECT and writes no output.
file(REMOVE ${OUTPUT})
execute_process(
  COMMAND ${TOOL} ${SOURCE} ${OUTPUT}
  RESULT_VARIABLE result
  ERROR_VARIABLE message)
if(result EQUAL 0)
  message(FATAL_ERROR "make_strings accepted ${SOURCE}")
endif()
string(FIND "${message}" "${EXPECT}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "expected a message containing \"${EXPECT}\", got: ${message}")
endif()
if(EXISTS ${OUTPUT})
  message(FATAL_ERROR "make_strings wrote ${OUTPUT} although it refused the source")
endif()
