// A whole session, headless, fed by the input: each piece is a user's action
// (clicks on every button, answers, tabs, lists, sliders, the password, the
// icon, waiting) or a change of the simulated printer (faults, raw status and
// page texts, values, unplugging). The program must survive any order of
// them and give the normal pointer back at the end.
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/string_table.h"
#include "device/device_backend.h"
#include "device/device_link.h"
#include "fuzz_input.h"
#include "layouts/control_ids.h"
#include "shell/vantrel.h"
#include "sim/backend_sim.h"
#include "sim/tarnlow_printer.h"
#include "ui/dialog.h"
#include "ui/headless/headless.h"

namespace {

struct Control {
  const char* window;
  int id;
};

constexpr Control kButtons[] = {
    {"panel", kPanelStatusButton},
    {"panel", kPanelConfigButton},
    {"panel", kPanelRotateTonerButton},
    {"panel", kPanelChangeTonerRadio},
    {"panel", kPanelEjectTonerRadio},
    {"panel", kPanelApplyButton},
    {"panel", kPanelTonerOutStopOn},
    {"panel", kPanelTonerOutStopOff},
    {"panel", kPanelAutoContinueOn},
    {"panel", kPanelAutoContinueOff},
    {"panel", kPanelCalibrationButton},
    {"panel", kPanelTonerLowOn},
    {"panel", kPanelTonerLowOff},
    {"panel", kPanelCleanUpButton},
    {"user service", kUserDownloadButton},
    {"user service", kUserUploadButton},
    {"user service", kPattern1Button},
    {"user service", kPattern2Button},
    {"user service", kImageRefreshButton},
    {"service mode", kServiceDownloadButton},
    {"service mode", kServiceUploadButton},
    {"service mode", kBkClearButton},
    {"service mode", kFuserUnitButton},
    {"service mode", kTransferRollerButton},
    {"service mode", kTonerLowBox},
    {"service mode", kIcLowBox},
    {"configuration", kConfigCloseButton},
    {"configuration", kConfigSaveButton},
    {"main", kMainCloseButton},
    {"main", kMainAboutButton},
    {"about", 1},
};

constexpr Control kLists[] = {
    {"panel", kPanelEnergySaveList},         {"user service", kImageAdjList},
    {"user service", kGdiTimeoutList},       {"user service", kUserEnergySaveList},
    {"user service", kFlickerList},          {"service mode", kTemperaturePlainList},
    {"service mode", kTemperatureThickList}, {"service mode", kTemperatureEnvelopeList},
};

constexpr int kSliders[] = {
    kTopPlainSlider,       kTopThickSlider,       kTopEnvelopeSlider,      kTransferPlainSlider,
    kTransferThick1Slider, kTransferThick2Slider, kTransferPostcardSlider, kTransferEnvelopeSlider,
    kTransferLabelsSlider, kLeftTray1Slider,
};

constexpr int kMaxActions = 300;

std::function<void()> PrinterChange(FuzzInput& in, TarnlowPrinter& printer) {
  using Fault = TarnlowPrinter::Fault;
  switch (in.Below(6)) {
    case 0: {
      const int code = 9 + in.Below(77);
      Fault fault;
      switch (in.Below(8)) {
        case 0: fault.kind = Fault::FailTransfer; break;
        case 1: fault.kind = Fault::Refuse; break;
        case 2:
          fault.kind = Fault::ShortReply;
          fault.length = in.Byte();
          break;
        case 3: fault.kind = Fault::NeverAnswer; break;
        case 4: return [&printer, code] { printer.ClearFault(code); };
        case 5: fault.kind = Fault::ZeroInside; break;
        case 6:
          fault.kind = Fault::Overlong;
          fault.length = in.Byte() * 16;
          break;
        default: {
          fault.kind = Fault::RawReply;
          const std::string bytes = in.Run();
          fault.raw.assign(bytes.begin(), bytes.end());
        }
      }
      return [&printer, code, fault] { printer.SetFault(code, fault); };
    }
    case 1: {
      std::string reply = in.Run();
      return [&printer, reply] { printer.SetStatusReply(reply); };
    }
    case 2: {
      const int page = 1 + in.Below(4);
      std::string text = in.Run();
      return [&printer, page, text] { printer.SetPageText(page, text); };
    }
    case 3: {
      const int code = 20 + in.Below(65);
      std::int32_t value = 0;
      for (int i = 0; i < 4; ++i) value = std::int32_t(std::uint32_t(value) << 8 | in.Byte());
      return [&printer, code, value] { printer.SetValue(code, value); };
    }
    case 4: {
      const bool plugged = in.Byte() & 1;
      return [&printer, plugged] { printer.SetPlugged(plugged); };
    }
    default: return [&printer] { printer.LoadDemoState(); };
  }
}

std::function<void()> UserAction(FuzzInput& in, HeadlessPlatform& ui) {
  switch (in.Below(12)) {
    case 0:
    case 1: {
      const Control button = kButtons[in.Below(int(std::size(kButtons)))];
      return [&ui, button] { ui.Click(button.window, button.id); };
    }
    case 2: {
      const int result = in.Below(3) == 0 ? kIdOk : in.Below(2) ? kIdRetry : kIdCancel;
      return [&ui, result] { ui.Answer(result); };
    }
    case 3: {
      const bool configuration = in.Byte() & 1;
      const int index = in.Below(8);
      return [&ui, configuration, index] {
        if (configuration)
          ui.PickTab("configuration", kConfigTabControl, index);
        else
          ui.PickTab("main", kMainTab, index);
      };
    }
    case 4: {
      const Control list = kLists[in.Below(int(std::size(kLists)))];
      const int index = in.Below(8);
      return [&ui, list, index] { ui.PickListItem(list.window, list.id, index); };
    }
    case 5: {
      const int slider = kSliders[in.Below(int(std::size(kSliders)))];
      const int code = in.Below(9);
      const int position = std::int8_t(in.Byte());
      return
          [&ui, slider, code, position] { ui.MoveSlider("user service", slider, code, position); };
    }
    case 6: {
      std::string text = in.Byte() & 1 ? std::string("ZELQORN") : in.Run();
      return [&ui, text] {
        ui.Focus("main", kPasswordField);
        ui.Type("main", kPasswordField, text);
      };
    }
    case 7: {
      const int mouse = in.Below(2) ? kMouseLeftDoubleClick : kMouseRightUp;
      return [&ui, mouse] { ui.TrayMouse(mouse); };
    }
    case 8: {
      const int command = in.Below(3) == 0 ? 0 : in.Below(2) ? 32770 : 32771;
      return [&ui, command] { ui.ChooseMenuItem(command); };
    }
    case 9: {
      const int ms = in.Byte() * 100;
      return [&ui, ms] { ui.Wait(ms); };
    }
    case 10: return [&ui] { ui.AnswerSavePrompt(""); };
    default: {
      const bool close = in.Byte() & 1;
      const char* window = in.Below(2) ? "configuration" : "main";
      return [&ui, close, window] { close ? ui.CloseWindow(window) : ui.PressEscape(window); };
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const auto languages = TextLanguages();
  SetTextLanguage(languages[in.Below(int(languages.size()))]);
  auto printer = std::make_unique<TarnlowPrinter>();
  printer->LoadDemoState();
  HeadlessPlatform ui([](const std::string&) {});
  UsePlatform(&ui);
  auto backend = std::make_unique<SimulatedBackend>(*printer);
  auto link = std::make_unique<DeviceLink>(backend->Operations());

  for (int i = 0; i < kMaxActions && !in.Empty(); ++i)
    ui.Script(in.Below(3) == 0 ? PrinterChange(in, *printer) : UserAction(in, ui));
  RunVantrel(ui, *link);
  if (ui.WaitCursorDepth() != 0) std::abort();

  link.reset();  // closes the link before the backend goes
  SetTextLanguage(kEnglish);
  return 0;
}
