// The Windows string table resources, compiled from the generated resource
// script, hold every string of every language as the resource loader will
// find it: RT_STRING blocks of 16 counted UTF-16 strings, per language.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "common/string_table.h"

namespace {

constexpr std::uint16_t kStringType = 6;  // RT_STRING

std::u16string Utf16(const std::string& utf8) {
  std::u16string out;
  for (std::size_t i = 0; i < utf8.size();) {
    unsigned char c = utf8[i];
    int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
    char32_t code = extra == 0 ? c : c & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) code = code << 6 | (utf8[i + k] & 0x3F);
    i += extra + 1;
    if (code >= 0x10000) {
      code -= 0x10000;
      out += char16_t(0xD800 + (code >> 10));
      out += char16_t(0xDC00 + (code & 0x3FF));
    } else {
      out += char16_t(code);
    }
  }
  return out;
}

// (language, id) -> text, from every string block of a .res file.
std::map<std::pair<int, int>, std::u16string> ReadStringResources(const char* path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), {});
  auto u16 = [&](std::size_t at) { return std::uint16_t(bytes[at] | bytes[at + 1] << 8); };
  auto u32 = [&](std::size_t at) { return std::uint32_t(u16(at) | u16(at + 2) << 16); };
  std::map<std::pair<int, int>, std::u16string> strings;
  for (std::size_t at = 0; at + 32 <= bytes.size();) {
    std::uint32_t dataSize = u32(at), headerSize = u32(at + 4);
    std::size_t data = at + headerSize;
    // Type and name are numeric (0xFFFF, id) in string resources.
    if (u16(at + 8) == 0xFFFF && u16(at + 10) == kStringType && u16(at + 12) == 0xFFFF) {
      int block = u16(at + 14);
      int language = u16(at + 8 + 8 + 4 + 2);
      std::size_t p = data;
      for (int k = 0; k < 16 && p < data + dataSize; ++k) {
        std::uint16_t length = u16(p);
        p += 2;
        std::u16string text;
        for (int j = 0; j < length; ++j, p += 2) text += char16_t(u16(p));
        if (length) strings[{language, (block - 1) * 16 + k}] = text;
      }
    }
    at = (data + dataSize + 3) & ~std::size_t(3);
  }
  return strings;
}

TEST(StringResources, HoldEveryStringOfEveryLanguage) {
  auto strings = ReadStringResources(VANTREL_STRINGS_RES);
  ASSERT_FALSE(strings.empty());
  std::size_t expected = 0;
  for (int language : TextLanguages()) {
    for (int id : TextIds()) {
      const char* text = LoadTextIn(language, id);
      if (!text) continue;
      ++expected;
      auto it = strings.find({language, id});
      ASSERT_NE(it, strings.end()) << "string " << id << " in " << language;
      EXPECT_TRUE(it->second == Utf16(text)) << "string " << id << " in " << language;
    }
  }
  EXPECT_EQ(strings.size(), expected);
}

}  // namespace
