// The string table's loader over the generated data (string_data.h).
#include "common/string_table.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "string_data.h"
#include "string_languages.h"

static_assert(kEnglish == kStringTableEnglish);

namespace {

int g_language = kEnglish;

bool IsTableLanguage(int languageId) {
  return std::binary_search(std::begin(kStringTableLanguages), std::end(kStringTableLanguages),
                            languageId);
}

}  // namespace

std::span<const int> TextLanguages() { return kStringTableLanguages; }

void SetTextLanguage(int languageId) {
  g_language = IsTableLanguage(languageId) ? languageId : kEnglish;
}

int TextLanguage() { return g_language; }

const char* LoadTextIn(int languageId, int stringId) {
  const std::span<const string_data::Entry> entries(string_data::kEntries,
                                                    string_data::kEntryCount);
  const auto key = std::pair(stringId, languageId);
  const auto found = std::lower_bound(
      entries.begin(), entries.end(), key, [](const string_data::Entry& entry, const auto& wanted) {
        return std::pair(entry.id, entry.language) < wanted;
      });
  if (found == entries.end() || found->id != stringId || found->language != languageId) {
    return nullptr;
  }
  return found->text;
}

const char* LoadText(int stringId) {
  if (const char* text = LoadTextIn(g_language, stringId)) return text;
  return LoadTextIn(kEnglish, stringId);
}

std::span<const int> TextIds() { return {string_data::kIds, string_data::kIdCount}; }
