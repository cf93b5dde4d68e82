#include "common/string_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "printer/status_messages.h"

namespace {

// The string ids the windows and messages of the program load, besides those
// of the status message table (which the tests enumerate from the table).
// Kept here so that a text missing from strings.txt shows up before the
// window that needs it exists.
constexpr int kWindowStringIds[] = {
    // Program name, main window, notification menu, About box.
    1, 19, 20, 32, 119, 120, 121, 122, 327,
    // Messages after a printer action.
    21, 22, 23, 24, 25, 26, 29, 228, 229, 230, 231, 232,
    // Panel page.
    2, 3, 6, 7, 8, 9, 10, 11, 14, 15, 16, 17, 18, 117, 118, 220, 1199, 1253,
    // Configuration window: title, buttons, tabs.
    148, 330, 149, 150, 151, 152, 153, 154, 156,
    // Supplies Status page, with its state and cartridge type names.
    157, 158, 159, 160, 161, 162, 163, 164, 165, 166, 168, 169, 216, 217, 218, 1198,
    // Coverage Information page.
    170, 171, 172, 173, 174, 175, 176, 177, 178, 179, 180, 181, 182, 183, 1205,
    // Counter and Paper pages.
    184, 185, 186, 187, 188, 133, 189, 190, 191, 192, 193, 194, 195, 196, 197, 198,
    // Machine Setting, Firmware Version and Adjustment pages.
    199, 200, 201, 203, 204, 205, 206, 208, 209,
    // User Service page.
    12, 123, 124, 125, 126, 128, 129, 130, 131, 132, 134, 136, 146, 147, 213, 219, 221,
    222, 223, 224, 1255,
    // Service Mode page.
    137, 138, 139, 140, 142, 143, 144, 145, 226, 227, 388, 389,
    // The program's own texts: a failed export, message box buttons.
    2000, 2001, 2002, 2003,
};

bool HasEnglish(int id) { return LoadTextIn(kEnglish, id) != nullptr; }

TEST(StringTable, EveryUsedIdHasAnEnglishText) {
  for (int id : kWindowStringIds) EXPECT_TRUE(HasEnglish(id)) << "string " << id;

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
  for (int id : kWindowStringIds) EXPECT_TRUE(std::binary_search(ids.begin(), ids.end(), id));
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
  EXPECT_EQ(LoadText(99999), nullptr);
  EXPECT_EQ(LoadText(0), nullptr);

  SetTextLanguage(1032);  // not one of the table's languages
  EXPECT_EQ(TextLanguage(), kEnglish);
  EXPECT_EQ(LoadTextIn(1032, 1), nullptr);
  EXPECT_EQ(LoadTextIn(kEnglish, 4), nullptr);  // an id the table skips
}

}  // namespace
