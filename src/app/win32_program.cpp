#include "app/win32_program.h"

#include <windows.h>

#include <string>
#include <vector>

#include "common/string_table.h"
#include "device/device_backend.h"
#include "device/device_link.h"
#include "shell/start_arguments.h"
#include "shell/vantrel.h"
#include "string_ids.h"
#include "ui/win32/win32_platform.h"
#include "ui/win32/win32_start.h"

namespace {

// Windows programs also take /? for their help.
std::vector<std::string> WithWindowsHelp(std::vector<std::string> arguments) {
  for (std::string& argument : arguments)
    if (argument == "/?") argument = "--help";
  return arguments;
}

// A program without a console answers in a box.
int AnswerInMessageBox(const StartArguments& arguments) {
  switch (arguments.action) {
    case StartArguments::Action::Help:
      ShowProgramMessage(UsageText(), ProgramMessageKind::Information);
      return 0;
    case StartArguments::Action::Version:
      ShowProgramMessage(VersionText(), ProgramMessageKind::Information);
      return 0;
    case StartArguments::Action::Refuse:
      ShowProgramMessage(RefusalInTextLanguage(arguments), ProgramMessageKind::Error);
      return kExitBadUsage;
    case StartArguments::Action::Run: break;
  }
  return 0;
}

}  // namespace

int RunWin32Program(const DeviceBackend& backend) {
  // The language first: a refusal is said in it.
  StartWin32Toolkit();
  const StartArguments arguments = ReadStartArguments(WithWindowsHelp(Win32ProgramArguments()), {});
  if (arguments.action != StartArguments::Action::Run) return AnswerInMessageBox(arguments);
  Win32Platform platform(GetModuleHandleW(nullptr));
  int code = 0;
  {
    DeviceLink link(backend);
    code = RunVantrel(platform, link, arguments.start, arguments.watchSeconds, arguments.request);
  }
  ReleaseDeviceBackend(backend);
  if (code == kExitNotRunning)
    ShowProgramMessage(TextOrEmpty(kTextNotRunning), ProgramMessageKind::Information);
  return code;
}
