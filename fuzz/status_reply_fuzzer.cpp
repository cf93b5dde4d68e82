// The panel-status reply and the messages of its codes: the first byte picks
// the language, the rest is the reply. Every code must give display lines of
// at most the panel's width, drawn without trouble, and the watch's
// notification of them no control byte but its line breaks.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/string_table.h"
#include "fuzz_input.h"
#include "panel/panel_display.h"
#include "printer/status_list.h"
#include "printer/status_messages.h"
#include "printer/status_notification.h"

namespace {

// The number of UTF-8 characters of a text.
std::size_t Characters(const std::string& text) {
  std::size_t count = 0;
  for (unsigned char c : text) count += (c & 0xC0) != 0x80;
  return count;
}

class NullSurface final : public Surface {
 public:
  void FramedWhiteRect(const Rect&) override {}
  void SelectFont(const char*, int, int) override {}
  void TextAt(int, int, const std::string& text) override {
    if (Characters(text) > std::size_t(kPanelLineMax)) std::abort();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const auto languages = TextLanguages();
  SetTextLanguage(languages[input.Below(int(languages.size()))]);
  const std::string reply = input.Bytes(kStatusReplySize);
  // Exactly the bytes received: a read past them is a finding.
  auto bytes = std::make_unique<char[]>(reply.size() + 1);
  std::memcpy(bytes.get(), reply.data(), reply.size());

  const auto list = std::make_unique<StatusList>(ParseStatusReply(bytes.get(), int(reply.size())));
  if (list->count < 0 || list->count > kStatusEntries) std::abort();

  NullSurface surface;
  for (int i = 0; i < list->count; ++i) {
    const char* code = list->codes + i * kStatusCodeLength;
    if (const auto message = LookupStatusMessage(code)) {
      for (const PanelLine& line : {message->line1, message->line2})
        if (Characters(ComposePanelLine(line)) > std::size_t(kPanelLineMax)) std::abort();
    }
    DrawPanelDisplay(surface, code, Rect{0, 0, 400, 100});
  }
  std::vector<std::string_view> codes;
  for (int i = 0; i < list->count; ++i) codes.push_back(StatusCodeText(*list, i));
  for (const unsigned char c : NotificationOfCodes(codes).text)
    if ((c < 0x20 && c != '\n') || c == 0x7F) std::abort();
  SetTextLanguage(kEnglish);
  return 0;
}
