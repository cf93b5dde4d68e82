#include "printer/status_severity.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "printer/printer_info.h"
#include "printer/printer_severity.h"
#include "printer/status_messages.h"

namespace {

// The table in docs/status-severity.md: code -> severity name, from its
// rows "| `CODE` | severity | ... |".
std::map<std::string, std::string> DocumentedSeverities() {
  std::ifstream doc(VANTREL_DOCS_DIR "/status-severity.md");
  std::map<std::string, std::string> rows;
  std::string line;
  while (std::getline(doc, line)) {
    if (line.rfind("| `", 0) != 0) continue;
    std::istringstream cells(line);
    std::string bar, code, severity;
    std::getline(cells, bar, '|');
    std::getline(cells, code, '|');
    std::getline(cells, severity, '|');
    const auto trim = [](std::string text) {
      text.erase(0, text.find_first_not_of(" `"));
      text.erase(text.find_last_not_of(" `") + 1);
      return text;
    };
    rows.emplace(trim(code), trim(severity));
  }
  return rows;
}

StatusList ListOf(std::initializer_list<const char*> codes) {
  StatusList list;
  for (const char* code : codes) {
    std::memcpy(StatusCodeAt(list, list.count), code, std::strlen(code));
    ++list.count;
  }
  return list;
}

TEST(StatusSeverity, EveryKnownCodeAsTheDocumentedTableSays) {
  const std::map<std::string, std::string> documented = DocumentedSeverities();
  EXPECT_EQ(documented.size(), static_cast<size_t>(kStatusTableSize));
  for (const StatusTableEntry& entry : StatusMessageTable()) {
    const auto row = documented.find(entry.code);
    ASSERT_NE(row, documented.end()) << "not documented: " << entry.code;
    EXPECT_EQ(SeverityName(SeverityOfCode(entry.code)), row->second) << entry.code;
  }
}

TEST(StatusSeverity, UnknownCodesAreWarningsAndTheWorstCodeLeads) {
  EXPECT_EQ(SeverityOfCode("000009"), Severity::kWarning);
  EXPECT_EQ(SeverityOfCode("100005"), Severity::kWarning);
  EXPECT_EQ(SeverityOfCode("20\0\0\0\0"), Severity::kWarning);
  // Unknown even where it reads like TONER OUT, whose codes are errors.
  EXPECT_EQ(SeverityOfCode("300000"), Severity::kWarning);

  EXPECT_EQ(WorstSeverity(ListOf({})), Severity::kReady);
  EXPECT_EQ(MostSevereCodeIndex(ListOf({})), -1);
  const StatusList mixed = ListOf({"000000", "302002", "207000", "200100"});
  EXPECT_EQ(WorstSeverity(mixed), Severity::kError);
  EXPECT_EQ(MostSevereCodeIndex(mixed), 2);  // the first of the worst
  EXPECT_EQ(WorstSeverity(ListOf({"000000", "302002"})), Severity::kWarning);
}

// The printer's severity as the worst of its codes and its supplies. (Each
// supply state's severity, as docs/status-severity.md has it: through check,
// JSON and the metrics in tests/cli/severity_table_test.py.)
TEST(PrinterSeverity, SupplyStatesAndCodesTogether) {
  PrinterState printer;
  printer.status = ListOf({"000000"});
  ASSERT_EQ(AllocatePageBlocks(printer), 1);
  EXPECT_TRUE(SupplySeverities(printer).empty());  // page 1 not read: the codes alone
  EXPECT_EQ(SeverityOf(printer), Severity::kReady);
  auto set = [&](const SupplyField& supply, const char* state) {
    std::strcpy(PageFields(printer, kTonerPageNumber) +
                    static_cast<std::ptrdiff_t>(supply.state) * kInfoFieldSize,
                state);
  };
  for (const SupplyField& supply : kSupplyFields) set(supply, "1");
  EXPECT_EQ(SupplySeverities(printer).size(), std::size(kSupplyFields));
  EXPECT_EQ(SeverityOf(printer), Severity::kReady);
  set(kSupplyFields[3], "7");  // a state the printer does not explain
  EXPECT_EQ(SeverityOf(printer), Severity::kWarning);
  EXPECT_EQ(SupplySeverities(printer)[3].state, std::nullopt);
  set(kSupplyFields[4], "3");  // the imaging cartridge empty
  EXPECT_EQ(SeverityOf(printer), Severity::kError);
  EXPECT_EQ(SeverityOfSupply(printer, kSupplyFields[4]), Severity::kError);
  ReleasePrinterInfo(printer);
}

}  // namespace
