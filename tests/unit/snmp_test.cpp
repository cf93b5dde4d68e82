// The SNMP side of vantrel-cli: the mapping table against the status
// message table and the severity rule; the tree built from a simulated
// printer's reading; what pass_persist answers that the agent test cannot ask.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/pass_persist.h"
#include "cli/snmp_tree.h"
#include "device/device_link.h"
#include "printer/info_page.h"
#include "printer/mib_mapping.h"
#include "printer/printer_info.h"
#include "printer/printer_severity.h"
#include "printer/status_messages.h"
#include "printer/status_read.h"
#include "sim/backend_sim.h"
#include "sim/tarnlow_printer.h"

namespace {

StatusList ListOf(const std::vector<std::string>& codes) {
  StatusList list;
  for (const std::string& code : codes) {
    std::memcpy(StatusCodeAt(list, list.count), code.data(), kStatusCodeLength);
    ++list.count;
  }
  return list;
}

TEST(MibMapping, EveryKnownCodeHasAFamily) {
  for (const StatusTableEntry& entry : StatusMessageTable()) {
    const StatusCodeMapping& family = MappingOfCode(entry.code);
    EXPECT_NE(&family, &UnknownCodeMapping()) << entry.code;
    // The alert's severity is the one rule's; ready codes are no alert.
    EXPECT_EQ(AlertSeverityOf(SeverityOfCode(entry.code)).has_value(),
              SeverityOfCode(entry.code) != Severity::kReady)
        << entry.code;
  }
  EXPECT_EQ(&MappingOfCode("999999"), &UnknownCodeMapping());
}

TEST(MibMapping, DetectedErrorsAreBitsFromTheFirstOctetsHighBit) {
  EXPECT_EQ(DetectedErrorOctets(Bit(DetectedError::kLowPaper)),
            (std::vector<std::uint8_t>{0x80, 0x00}));
  EXPECT_EQ(DetectedErrorOctets(Bit(DetectedError::kLowToner) | Bit(DetectedError::kOutputFull)),
            (std::vector<std::uint8_t>{0x20, 0x08}));
}

TEST(MibMapping, PrinterStatusFollowsTheSeverityRule) {
  struct Case {
    std::vector<std::string> codes;
    HrPrinterStatus printer;
    DetectedErrors errors;
  };
  const Case cases[] = {
      {{"000000"}, HrPrinterStatus::kIdle, 0},
      {{"000000", "000002"}, HrPrinterStatus::kPrinting, 0},
      {{"001000"}, HrPrinterStatus::kIdle, 0},
      {{"002000"}, HrPrinterStatus::kOther, 0},
      {{"000002", "302002"}, HrPrinterStatus::kPrinting, Bit(DetectedError::kLowToner)},
      {{"000000", "200100"}, HrPrinterStatus::kOther, Bit(DetectedError::kJammed)},
      {{"300004"}, HrPrinterStatus::kOther, Bit(DetectedError::kNoToner)},
      {{"999999"}, HrPrinterStatus::kIdle, 0},
      // The demonstration printer's codes: SnmpTree below.
  };
  for (const Case& c : cases) {
    PrinterState printer;
    printer.status = ListOf(c.codes);
    const PrinterMibState state = PrinterMibStateOf(printer);
    EXPECT_EQ(state.printerStatus, c.printer) << c.codes.back();
    EXPECT_EQ(state.errors, c.errors) << c.codes.back();
  }
  EXPECT_EQ(NotAnsweringMibState().printerStatus, HrPrinterStatus::kUnknown);
  EXPECT_EQ(NotAnsweringMibState().errors, Bit(DetectedError::kOffline));
  // A supply's state: an empty cartridge is empty whatever its percent.
  EXPECT_EQ(MappingOfSupplyState(SupplyState::End).level, 0);
  EXPECT_FALSE(MappingOfSupplyState(SupplyState::End).levelFromPercent);
  EXPECT_EQ(MappingOfSupplyState(SupplyState::Unknown).level, prt::kLevelUnknown);
  EXPECT_EQ(MappingOfSupplyState(std::nullopt).level, prt::kLevelUnknown);
  EXPECT_EQ(MappingOfSupplyState(SupplyState::Low).tonerErrors, Bit(DetectedError::kLowToner));
}

// The demonstration printer read in-process, as the refresher reads one.
class DemoReading {
 public:
  explicit DemoReading(const std::vector<std::pair<std::string, std::string>>& values = {}) {
    printer_.LoadDemoState();
    printer_.SetStatusCodes({"000000", "302002", "207000"});
    for (const auto& [key, value] : values) printer_.SetPageValue(key, value);
    DeviceLink link(backend_.Operations());
    EXPECT_TRUE(link.Open());
    EXPECT_FALSE(ReadStatusList(link, state_.status));
    EXPECT_TRUE(AllocatePageBlocks(state_));
    for (int page = kTonerPageNumber; page <= kMachinePageNumber; ++page)
      EXPECT_FALSE(ReadInfoPage(link, state_, page).failure);
  }
  ~DemoReading() { ReleasePrinterInfo(state_); }
  const PrinterState& State() const { return state_; }

 private:
  TarnlowPrinter printer_;
  SimulatedBackend backend_{printer_};
  PrinterState state_;
};

std::string Text(const SnmpTree& tree, const std::string& oid) {
  const auto found = tree.find(*ParseOid(oid));
  return found == tree.end() ? "(none)" : found->second.type + " " + found->second.text;
}

TEST(SnmpTree, RowsOfAReadPrinterAndOfOneThatDoesNotAnswer) {
  const DemoReading demo({{"CONSUMETCSTATEY", "0"}, {"CONSUMETCSTATEK", "3"}});
  const SnmpPrinter printers[] = {{1, "TL5C0042817", &demo.State(), ""},
                                  {2, "TL5C0099999", nullptr, "the printer did not answer"},
                                  {3, "", nullptr, std::string(225, 'x') + "\u00e4\u00e4"}};
  const SnmpTree tree = BuildSnmpTree(printers);
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.5.1.1.17.1"), "string TL5C0042817");
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.10.2.1.4.1.1"), "counter 8642");
  // Cyan 80 %, magenta 12 %, yellow unknown, black empty, imaging cartridge 71 %.
  const char* levels[] = {"integer 80", "integer 12", "integer -2", "integer 0", "integer 71"};
  for (int supply = 1; supply <= 5; ++supply) {
    const std::string row = ".1." + std::to_string(supply);
    EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.11.1.1.9" + row), levels[supply - 1]) << supply;
    EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.11.1.1.8" + row), "integer 100");
    EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.11.1.1.7" + row), "integer 19");
  }
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.11.1.1.6.1.5"), "string Imaging Cartridge");
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.11.1.1.3.1.2"), "integer 2");
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.12.1.1.4.1.2"), "string magenta");
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.16.5.1.2.1.1"), "string OUTPUT TRAY FULL");
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.16.5.1.2.1.2"), "string REMOVE PAPER");
  // READY is no alert; toner low a warning, the full tray critical.
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.18.1.1.2.1.1"), "integer 4");
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.18.1.1.7.1.1"), "integer 1104");
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.18.1.1.8.1.1"), "string TONER LOW M");
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.18.1.1.2.1.2"), "integer 3");
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.18.1.1.7.1.2"), "integer 903");
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.18.1.1.8.1.2"), "string OUTPUT TRAY FULL / REMOVE PAPER");
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.18.1.1.2.1.3"), "(none)");
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.25.3.5.1.1.1"), "integer 1");
  // lowToner and outputFull from the codes, noToner from black's state.
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.25.3.5.1.2.1"), "octet 30 08");

  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.5.1.1.17.2"), "string TL5C0099999");
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.11.1.1.9.2.1"), "integer -2");
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.25.3.5.1.1.2"), "integer 2");
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.25.3.5.1.2.2"), "octet 02 00");
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.18.1.1.2.2.1"), "integer 3");
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.18.1.1.8.2.1"),
            "string the printer does not answer: the printer did not answer");
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.16.5.1.2.2.1"), "(none)");
  // A text holds at most 255 octets, cut before a whole character: 29 + 225
  // octets and the first of a two-octet character leave 254.
  EXPECT_EQ(Text(tree, ".1.3.6.1.2.1.43.18.1.1.8.3.1").size(), std::string("string ").size() + 254);
}

// The answers to a conversation, as the agent would read them.
std::string Conversation(const std::string& input, const SnmpTree& tree) {
  std::istringstream in(input);
  std::ostringstream out;
  auto shared = std::make_shared<const SnmpTree>(tree);
  ServePassPersist(in, out, [&] { return shared; });
  return out.str();
}

TEST(PassPersist, AnswersEveryCommandAtOnce) {
  SnmpTree tree;
  tree[*ParseOid(".1.3.6.1.2.1.25.3.5.1.1.1")] = {"integer", "3"};
  tree[*ParseOid(".1.3.6.1.2.1.25.3.5.1.2.1")] = {"octet", "00 00"};
  tree[*ParseOid(".1.3.6.1.2.1.43.5.1.1.17.1")] = {"string", "TL5C0042817"};
  tree[*ParseOid(".1.3.6.1.2.1.43.11.1.1.9.1.1")] = {"integer", "80"};

  EXPECT_EQ(Conversation("PING\n", tree), "PONG\n");
  EXPECT_EQ(Conversation("get\n.1.3.6.1.2.1.43.5.1.1.17.1\n", tree),
            ".1.3.6.1.2.1.43.5.1.1.17.1\nstring\nTL5C0042817\n");
  EXPECT_EQ(Conversation("get\n.1.3.6.1.2.1.43.5.1.1.17\n", tree), "NONE\n");
  // A walk entered at a registration's own OID starts at its first row.
  EXPECT_EQ(Conversation("getnext\n.1.3.6.1.2.1.25.3.5.1.2\n", tree),
            ".1.3.6.1.2.1.25.3.5.1.2.1\noctet\n00 00\n");
  EXPECT_EQ(Conversation("getnext\n.1.3.6.1.2.1.43.11.1.1.9.1.1\n", tree), "NONE\n");
  // Nothing is writable; an unknown command or OID is answered all the same.
  EXPECT_EQ(Conversation("set\n.1.3.6.1.2.1.43.5.1.1.17.1\nstring x\nPING\n", tree),
            "not-writable\nPONG\n");
  EXPECT_EQ(Conversation("shutdown\nPING\r\n\nget\n1.3.x\nget\n", tree),
            "NONE\nPONG\nNONE\nNONE\n");
  EXPECT_FALSE(ParseOid(".1..3"));
  EXPECT_FALSE(ParseOid("1.3."));
  EXPECT_FALSE(ParseOid(""));
  EXPECT_EQ(OidText(*ParseOid("1.3.6.4294967295")), ".1.3.6.4294967295");
}

}  // namespace
