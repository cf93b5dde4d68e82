// Every request family the program sends, under every way a printer can
// fail it: the program must not crash, must tell the user what it tells for
// that failure, and the same action must work once the printer behaves.
// Every request goes out under the wait cursor, and every action gives the
// normal pointer back when it ends.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/string_table.h"
#include "device/request_catalogue.h"
#include "headless_session.h"
#include "layouts/control_ids.h"
#include "string_ids.h"

namespace {

using Fault = TarnlowPrinter::Fault;
using Messages = std::vector<std::string>;

enum FaultCase {
  kFails,
  kRefused,
  kCutShort,
  kGarbage,
  kZeroInside,
  kOverlong,
  kNeverAnswered,
  kUnplugged
};
constexpr const char* kFaultNames[] = {"transfer fails", "refused",          "reply cut short",
                                       "garbage",        "zero byte inside", "overlong",
                                       "never answered", "unplugged before"};

// How an action ends under one fault, in the family's terms.
enum Outcome : char {
  kAsNormal = 'S',       // what it shows when the printer behaves
  kAsFailed = 'F',       // what it shows when the faulted request gives nothing
  kAsHung = 'H',         // the faulted request and every later one of the action fail
  kNotCompatible = 'N',  // each page with a header line (1 to 3) is refused as not compatible
  kOpenFailed = 'U',     // the link does not open
};

struct Family {
  const char* name;
  const char* window;  // where the action's button is
  int button;          // 0: the action is opening the main window from the icon
  int code;            // the request the fault is put on
  Messages normal;     // message boxes when the printer behaves
  Messages failed;     // when the faulted request gives nothing
  Messages hung;       // when it is never answered
  // The outcome per fault, in FaultCase order.
  const char outcomes[9];
};

std::string Box(const char* window, int stringId) {
  return std::string(window) + " [OK]: \"" + LoadText(stringId) + "\"";
}
Messages Boxes(const char* window, int stringId, int count) {
  return Messages(std::size_t(count), Box(window, stringId));
}
Messages Join(Messages a, const Messages& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A command: its text when the printer acknowledges it, else one "failed"
// box (an overlong reply still starts with its "OK").
Family Command(const char* name, const char* window, int button, int code, int sentText) {
  const Messages failed = Boxes(window, kTextSendFailed, 1);
  return {name, window, button, code, Boxes(window, sentText, 1), failed, failed, "FFFFFSFU"};
}

const Messages kNone;
const Messages kSendFailedOnPanel = Boxes("panel", kTextSendFailed, 1);
const Messages kEnergySaveFailed = Boxes("configuration", kTextSendFailed, 1);

const Family kFamilies[] = {
    {"status", "panel", kPanelStatusButton, REQ_READ_PANEL_STATUS, kNone, kSendFailedOnPanel,
     kSendFailedOnPanel, "FSSSSSFU"},
    {"machine kind", "main", 0, REQ_READ_MACHINE_KIND, kNone, Boxes("main", kTextSendFailed, 1),
     Boxes("main", kTextSendFailed, 1), "FSSSSSFU"},
    {"information pages", "panel", kPanelConfigButton, REQ_READ_INFO_PAGE, kNone,
     Boxes("panel", kTextSendFailed, 4),
     Join(Boxes("panel", kTextSendFailed, 4), kEnergySaveFailed), "FSSNNSHU"},
    {"energy save", "panel", kPanelConfigButton, REQ_READ_ENERGY_SAVE, kNone, kEnergySaveFailed,
     kEnergySaveFailed, "FSFSSSFU"},
    {"counters", "panel", kPanelConfigButton, REQ_READ_REPLACEMENT_COUNT, kNone, kNone,
     kEnergySaveFailed, "FSSSSSHU"},
    {"value reads", "service mode", kServiceDownloadButton, REQ_READ_TONER_LOW_WARNING, kNone,
     Boxes("service mode", kTextSendFailed, 1), Boxes("service mode", kTextSendFailed, 11),
     "FSFSSSHU"},
    Command("panel commands", "panel", kPanelRotateTonerButton, REQ_TONER_OPERATION,
            kTextCommandSent),
    Command("print head clean-up", "panel", kPanelCleanUpButton, REQ_TONER_OPERATION,
            kTextCommandSent),
    Command("calibration", "panel", kPanelCalibrationButton, REQ_START_CALIBRATION,
            kTextCalibrationSent),
    Command("maintenance commands", "service mode", kBkClearButton, REQ_BK_CLEAR, kTextBkClearOk),
    Command("fuser unit reset", "service mode", kFuserUnitButton, REQ_RESET_FUSER_UNIT,
            kTextFuserUnitOk),
    Command("transfer roller reset", "service mode", kTransferRollerButton,
            REQ_RESET_TRANSFER_ROLLER, kTextTransferRollerOk),
    {"Download, user service", "user service", kUserDownloadButton, REQ_READ_GDI_TIMEOUT, kNone,
     Boxes("user service", kTextSendFailed, 1), Boxes("user service", kTextSendFailed, 3),
     "FSFSSSHU"},
    Command("Apply", "panel", kPanelApplyButton, REQ_SET_ENERGY_SAVE_TIME, kTextSetDefaultSent),
    Command("Upload, user service", "user service", kUserUploadButton, REQ_WRITE_FLICKER,
            kTextSetDefaultSent),
    Command("Upload, service mode", "service mode", kServiceUploadButton, REQ_WRITE_TEMP_THICK,
            kTextSetDefaultSent),
    Command("test patterns", "user service", kPattern1Button, REQ_PRINT_TEST_PATTERN,
            kTextPattern1Ok),
    Command("test pattern 2", "user service", kPattern2Button, REQ_PRINT_TEST_PATTERN,
            kTextPattern2Ok),
    {"image refresh", "user service", kImageRefreshButton, REQ_IMAGE_REFRESH, kNone, kNone, kNone,
     "SSSSSSSU"},
};

Fault MakeFault(FaultCase fault, const Family& family) {
  switch (fault) {
    case kFails: return {Fault::FailTransfer, 0, {}};
    case kRefused: return {Fault::Refuse, 0, {}};
    case kCutShort: return {Fault::ShortReply, (FindRequest(family.code)->length - 1) / 2, {}};
    case kGarbage: {
      const std::string garbage = "\xFFGARBAGE\x01\r\n=\x7F=\r\n";
      return {Fault::RawReply, 0, {garbage.begin(), garbage.end()}};
    }
    case kZeroInside: return {Fault::ZeroInside, 0, {}};
    case kOverlong: return {Fault::Overlong, 2000, {}};
    default: return {Fault::NeverAnswer, 0, {}};
  }
}

class FaultMatrixTest : public HeadlessSession {
 protected:
  // Does the family's action, answers the message boxes it shows (Cancel
  // for Retry), closes the configuration window if it opened, and puts the
  // message boxes it showed into `into`.
  void Act(const Family& family, Messages& into) {
    std::size_t* from = marks_.emplace_back(std::make_unique<std::size_t>(0)).get();
    Mark(*from);
    if (family.button == 0) {
      Click("main", kMainCloseButton);  // hidden first, so the icon opens it again
      Mark(*from);
      Then([this] { platform.TrayMouse(kMouseLeftDoubleClick); });
    } else {
      Click(family.window, family.button);
    }
    for (int box = 0; box < 12; ++box) {
      Then([this] {
        const auto shown = Lines("message box ").size(), answered = Lines("answer: ").size();
        if (shown <= answered) return;
        const bool retry = Lines("message box ").back().find("[Retry Cancel]") != std::string::npos;
        platform.Answer(retry ? kIdCancel : kIdOk);
      });
    }
    Then([this] {
      if (platform.Find("configuration")) platform.Click("configuration", kConfigCloseButton);
    });
    Then([this, from, &into, &family] {
      into = Lines("message box ", *from);
      if (platform.WaitCursorDepth() != 0) waitCursorKept.push_back(family.name);
    });
  }

  std::vector<std::unique_ptr<std::size_t>> marks_;
  std::vector<std::string> waitCursorKept;  // the actions after which it stayed
};

TEST_F(FaultMatrixTest, EveryFamilyUnderEveryFaultFailsAsItShouldAndRecovers) {
  struct Cell {
    const Family* family;
    FaultCase fault;
    Messages underFault, afterwards;
  };
  std::vector<Cell> cells;
  for (const Family& family : kFamilies)
    for (int fault = kFails; fault <= kUnplugged; ++fault)
      cells.push_back({&family, FaultCase(fault), {}, {}});

  std::vector<int> withoutWaitCursor;  // the codes sent without it
  printer.OnRequest([&](const TarnlowPrinter::Received& r) {
    if (platform.WaitCursorDepth() <= 0) withoutWaitCursor.push_back(r.code);
  });
  OpenMainWindow();
  Then([this] { platform.Type("main", kPasswordField, "ZELQORN"); });
  for (Cell& cell : cells) {
    const Family& family = *cell.family;
    if (std::string(family.window) == "user service")
      Then([this] { platform.PickTab("main", 1024, 1); });
    if (std::string(family.window) == "service mode")
      Then([this] { platform.PickTab("main", 1024, 2); });
    Then([this, &cell] {
      printer.LoadDemoState();
      if (cell.fault == kUnplugged)
        printer.SetPlugged(false);
      else
        printer.SetFault(cell.family->code, MakeFault(cell.fault, *cell.family));
    });
    Act(family, cell.underFault);
    Then([this] {
      printer.ClearFaults();
      printer.SetPlugged(true);
      printer.LoadDemoState();
    });
    Act(family, cell.afterwards);
    Then([this] { platform.PickTab("main", 1024, 0); });
  }
  Run();
  EXPECT_TRUE(withoutWaitCursor.empty())
      << withoutWaitCursor.size() << " requests, the first " << withoutWaitCursor.front();
  EXPECT_TRUE(waitCursorKept.empty()) << waitCursorKept.front();
  EXPECT_EQ(platform.WaitCursorDepth(), 0);
  // Every action reached its window but one: the main window that the
  // opening without a printer left hidden is closed again before reopening.
  EXPECT_EQ(Lines("ignored: "), Messages{"main is not shown"});

  for (const Cell& cell : cells) {
    const Family& family = *cell.family;
    SCOPED_TRACE(std::string(family.name) + ", " + kFaultNames[cell.fault]);
    Messages expected;
    switch (family.outcomes[cell.fault]) {
      case kAsNormal: expected = family.normal; break;
      case kAsFailed: expected = family.failed; break;
      case kAsHung: expected = family.hung; break;
      case kNotCompatible: expected = Boxes(family.window, kTextNotCompatible, 3); break;
      default:
        expected = {family.button == 0 ? std::string("main [Retry Cancel]: \"") +
                                             LoadText(kTextOpenUsbFailed) + "\""
                                       : Box(family.window, kTextOpenUsbFailed)};
    }
    EXPECT_EQ(cell.underFault, expected);
    EXPECT_EQ(cell.afterwards, family.normal) << "once the printer behaves";
  }
}

}  // namespace
