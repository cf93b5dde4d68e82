// The string table's texts from the generated data (string_data.h); the
// Windows programs read the same texts from their resources instead
// (src/ui/win32/win32_strings.cpp).
#include "common/string_table.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "string_data.h"

const char* LoadTextIn(int languageId, int stringId) {
  const std::span<const string_data::Entry> entries(string_data::kEntries,
                                                    string_data::kEntryCount);
  const auto key = std::pair(stringId, languageId);
  const auto found = std::lower_bound(entries.begin(), entries.end(), key,
                                      [](const string_data::Entry& entry, const auto& wanted) {
                                        return std::pair(entry.id, entry.language) < wanted;
                                      });
  if (found == entries.end() || found->id != stringId || found->language != languageId) {
    return nullptr;
  }
  return found->text;
}

std::span<const int> TextIds() { return {string_data::kIds, string_data::kIdCount}; }
