// An information page as the printer might send it, parsed into its fields,
// and every field through each conversion of the configuration window. The
// first byte picks the page (1 to 4) and the language; the rest is the page.
// Every field must stay a terminated text of at most 31 characters.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "common/string_table.h"
#include "fuzz_input.h"
#include "printer/config_conversions.h"
#include "printer/info_page.h"
#include "printer/printer_info.h"
#include "printer/printer_state.h"

namespace {

void Convert(const char* field) {
  SupplyStateText(field);
  CartridgeTypeText(field);
  PercentText(field);
  SwitchOffText(field);
  SwitchZeroText(field);
  LeadingNumber(field);
  BiasedNumberText(field, kTopLeftBias);
  BiasedNumberText(field, kTransferBias);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::uint8_t choice = input.Byte();
  const int page = 1 + choice % 4;
  const auto languages = TextLanguages();
  SetTextLanguage(languages[(choice / 4) % languages.size()]);
  const std::string text = input.Bytes(kTextReplySize);
  auto bytes = std::make_unique<char[]>(text.size() + 1);
  std::memcpy(bytes.get(), text.data(), text.size());

  auto printer = std::make_unique<PrinterState>();
  if (!AllocatePageBlocks(*printer)) return 0;
  ParseInfoPage(*printer, page, int(text.size()), bytes.get());

  const InfoPageLayout* layout = FindInfoPageLayout(page);
  for (std::size_t i = 0; i < layout->keys.size(); ++i) {
    const char* field = PageField(*printer, page, int(i));
    if (strnlen(field, kInfoFieldSize) >= std::size_t(kInfoFieldSize)) std::abort();
    Convert(field);
  }
  std::int32_t counts[kReplacementCountItems] = {};
  for (std::int32_t& count : counts)
    count = LeadingNumber(PageField(*printer, page, 0)) ^ input.Byte();
  CounterLine(counts);
  ReleasePrinterInfo(*printer);
  SetTextLanguage(kEnglish);
  return 0;
}
