#include "printer/ini_writer.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

struct Section {
  std::string name;
  std::vector<std::pair<std::string, std::string>> keys;  // key, value
};

std::string TrimSpaces(const std::string& text) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

}  // namespace

std::string ComposeIniFile(std::span<const IniEntry> entries) {
  std::vector<Section> sections;
  for (const IniEntry& entry : entries) {
    std::string sectionName = TrimSpaces(entry.section);
    std::string key = TrimSpaces(entry.key);
    auto section = std::find_if(sections.begin(), sections.end(),
                                [&](const Section& s) { return SameName(s.name, sectionName); });
    if (section == sections.end()) {
      sections.push_back({sectionName, {}});
      section = sections.end() - 1;
    }
    auto& keys = section->keys;
    auto existing = std::find_if(keys.begin(), keys.end(),
                                 [&](const auto& kv) { return SameName(kv.first, key); });
    if (existing != keys.end())
      existing->second = entry.value;
    else
      keys.emplace_back(key, entry.value);
  }

  std::string file;
  for (const Section& section : sections) {
    file += "[" + section.name + "]\r\n";
    for (const auto& [key, value] : section.keys) {
      file.append(key).append("=").append(value).append("\r\n");
    }
  }
  return file;
}
