#include "common/string_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "panel/status_messages.h"

namespace {

bool HasEnglish(int id) { return LoadTextIn(kEnglish, id) != nullptr; }

// The named strings have their texts by make_strings' checks, the templates'
// strings by the template tests; the status table's are checked here.
TEST(StringTable, EveryUsedIdHasAnEnglishText) {
  int statusIds = 0;
  for (const StatusTableEntry& entry : StatusMessageTable()) {
    for (const PanelLine& line : {entry.message.line1, entry.message.line2}) {
      for (int id : {line.stringId, line.suffixId}) {
        if (id == 0) continue;
        ++statusIds;
        EXPECT_TRUE(HasEnglish(id)) << "string " << id << " of code " << entry.code;
      }
    }
  }
  EXPECT_GT(statusIds, 195);

  const auto ids = TextIds();
  EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
  for (int id : ids) EXPECT_TRUE(HasEnglish(id)) << "string " << id;
}

TEST(StringTable, FallsBackToEnglish) {
  const auto languages = TextLanguages();
  EXPECT_EQ(languages.size(), 23u);
  EXPECT_TRUE(std::is_sorted(languages.begin(), languages.end()));
  EXPECT_NE(std::find(languages.begin(), languages.end(), 3082), languages.end());
  EXPECT_EQ(TextLanguage(), kEnglish);

  SetTextLanguage(1031);
  EXPECT_EQ(TextLanguage(), 1031);
  // Each text in German where German has it, else in English.
  for (int id : TextIds()) {
    const char* own = LoadTextIn(1031, id);
    EXPECT_STREQ(LoadText(id), own ? own : LoadTextIn(kEnglish, id)) << "string " << id;
  }
  // Asking for a text the table lacks is a fault of the program.
  EXPECT_DEBUG_DEATH(EXPECT_EQ(LoadText(99999), nullptr), "");
  EXPECT_DEBUG_DEATH(EXPECT_EQ(LoadText(0), nullptr), "");

  SetTextLanguage(1032);  // not one of the table's languages
  EXPECT_EQ(TextLanguage(), kEnglish);
  EXPECT_EQ(LoadTextIn(1032, 1), nullptr);
  EXPECT_EQ(LoadTextIn(kEnglish, 4), nullptr);  // an id the table skips
}

}  // namespace
