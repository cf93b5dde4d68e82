// The token splitter against the C library's strtok on the same text: the
// same tokens, each cut to its slot, never a write outside the slots.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "printer/split_tokens.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const int slotWidth = 1 + input.Below(80);
  const int maxSlots = input.Below(12);
  std::string delimiters = input.Run();
  std::string source = input.Rest();
  delimiters.resize(std::strlen(delimiters.c_str()));

  // Exactly the slots: ASan sees a write past them.
  std::vector<char> slots(std::size_t(slotWidth) * std::size_t(maxSlots));
  const int found = SplitTokens(source.c_str(), delimiters.c_str(),
                                slots.empty() ? nullptr : slots.data(), slotWidth, maxSlots);

  std::string text = source.substr(0, std::min<std::size_t>(std::strlen(source.c_str()), 1023));
  std::vector<std::string> expected;
  if (delimiters.empty()) {
    if (!text.empty()) expected.push_back(text);
  } else {
    for (char* token = std::strtok(text.data(), delimiters.c_str()); token;
         token = std::strtok(nullptr, delimiters.c_str()))
      expected.push_back(token);
  }
  if (found != int(expected.size())) std::abort();
  for (int k = 0; k < found && k < maxSlots; ++k) {
    const char* slot = slots.data() + std::size_t(k) * std::size_t(slotWidth);
    if (std::string(slot, strnlen(slot, std::size_t(slotWidth))) !=
        expected[std::size_t(k)].substr(0, std::size_t(slotWidth - 1)))
      std::abort();
  }
  return 0;
}
