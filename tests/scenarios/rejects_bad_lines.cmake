# Plays one-line faults through the scenario runner (cmake -P, with RUNNER
# and WORKDIR set): each must be refused with exit status 2 and
# "FILE:2: message" on standard error, nothing played.
set(cases
  [[pick panel 4 ""|'pick' takes an entry's text or position]]
  [[click panel 99999999999|'99999999999' is out of range]]
  [[tab main 1024 -99999999999|'-99999999999' is out of range]]
  [[slide user-service 1039 to 4294967296|'4294967296' is out of range]]
  [[printer value 20 2147483648|'2147483648' is out of range]]
  [[printer short 9 -1|'-1' is out of range]]
  [[printer raw 9 fill 99999999 "x"|'fill' takes 0 to 65536 bytes]]
  [[wait 99999999999|'wait' takes at most a day]]
  [[wait 1e3|'wait' takes seconds]]
  [[wait .|'wait' takes seconds]]
  [[type main 1015 "\xZZ"|\x takes two hexadecimal digits]]
  [[type main 1015 "open|unterminated quoted text]]
  [[printer page 5 ""|pages are 1 to 4]]
  [[click panel 0x|'0x' is not a number]]
)
file(MAKE_DIRECTORY ${WORKDIR})
set(file ${WORKDIR}/bad.scn)
foreach(case IN LISTS cases)
  string(FIND "${case}" "|" bar)
  string(SUBSTRING "${case}" 0 ${bar} line)
  math(EXPR after "${bar} + 1")
  string(SUBSTRING "${case}" ${after} -1 expected)
  file(WRITE ${file} "start\n${line}\n")
  execute_process(COMMAND ${RUNNER} ${file}
    RESULT_VARIABLE result OUTPUT_VARIABLE transcript ERROR_VARIABLE message)
  if(NOT result EQUAL 2)
    message(FATAL_ERROR "`${line}`: exit status ${result}, not 2: ${message}")
  endif()
  string(FIND "${message}" "${file}:2: ${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "`${line}`: expected \"${file}:2: ${expected}\", got: ${message}")
  endif()
  if(NOT transcript STREQUAL "")
    message(FATAL_ERROR "`${line}`: something was played: ${transcript}")
  endif()
endforeach()
