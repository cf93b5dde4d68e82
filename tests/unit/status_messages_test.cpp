#include "printer/status_messages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/string_table.h"
#include "string_ids.h"

namespace {

using LinePair = std::pair<std::string, std::string>;

// The two display lines of a code in English; "-" when the code is unknown.
LinePair Lines(const std::string& code) {
  const std::optional<PanelMessage> message = LookupStatusMessage(code.c_str());
  if (!message) return {"-", "-"};
  return {ComposePanelLine(message->line1), ComposePanelLine(message->line2)};
}

// The colour letters of a mask, always in the order Y, M, C, K.
std::string Letters(int mask) {
  std::string letters;
  if (mask & 1) letters += 'Y';
  if (mask & 2) letters += 'M';
  if (mask & 4) letters += 'C';
  if (mask & 8) letters += 'K';
  return letters;
}

TEST(StatusMessages, TableHoldsTheKnownCodesOnceEach) {
  const auto table = StatusMessageTable();
  std::set<std::string> codes;
  for (const StatusTableEntry& entry : table) {
    const std::string code(entry.code);
    EXPECT_EQ(code.size(), 6u) << code;
    EXPECT_TRUE(codes.insert(code).second) << "twice: " << code;
    EXPECT_NE(entry.message.line1.stringId, 0) << code;
    ASSERT_TRUE(LookupStatusMessage(entry.code).has_value()) << code;
  }
}

TEST(StatusMessages, PaperLinesJoinTheSizeDirectly) {
  EXPECT_EQ(Lines("200001"), LinePair("CHECK TRAY PAPER", "LOAD PAPER(A4)"));
  EXPECT_EQ(Lines("200010"), LinePair("CHECK TRAY PAPER", "LOAD PAPER(EXECUTIVE)"));
  EXPECT_EQ(Lines("200022"), LinePair("CHECK TRAY PAPER", "LOAD PAPER(CUSTOM(Thick))"));
  EXPECT_EQ(Lines("206000"), LinePair("PAPER SIZE ERROR", "RESET PAPER(LETTER)"));
  EXPECT_EQ(Lines("206013"), LinePair("PAPER SIZE ERROR", "RESET PAPER(J-POSTCARD)"));
}

TEST(StatusMessages, TonerFamiliesFollowTheColourMask) {
  for (int mask = 1; mask <= 15; ++mask) {
    const std::string letters = Letters(mask);
    const std::string digit(1, "0123456789ABCDEF"[mask]);
    const std::string change = "CHANGE " + letters + " TONER" + (letters.size() == 1 ? " " : "");
    SCOPED_TRACE(letters);
    EXPECT_EQ(Lines("20200" + digit),
              LinePair("NOT INSTALLED TONER", "CHECK " + letters + " TONER"));
    EXPECT_EQ(Lines("20400" + digit), LinePair("TONER OUT", change));
    EXPECT_EQ(Lines("21000" + digit), LinePair("TONER LIFE END", change));
    EXPECT_EQ(Lines("30000" + digit), LinePair("TONER OUT " + letters, ""));
    EXPECT_EQ(Lines("30200" + digit), LinePair("TONER LOW " + letters, ""));
    EXPECT_EQ(Lines("30600" + digit), LinePair("WRONG TONER " + letters, ""));
    EXPECT_EQ(Lines("30800" + digit),
              LinePair("INCORRECT TONER " + letters, "PRESS CLEAR KEY TO CONTINUE"));
  }
  // 20400F and 302008 as shown: tests/scenarios/panel_status_and_commands.
  EXPECT_EQ(Lines("30600B"), LinePair("WRONG TONER YMK", ""));
  EXPECT_EQ(Lines("204008"), LinePair("TONER OUT", "CHANGE K TONER "));
}

TEST(StatusMessages, LookupIsExactOnAllSixCharacters) {
  for (const char* unknown :
       {"100005", "20001A", "202000", "30200a", "300000", "200023", "000003", "2000 1", "00000"}) {
    EXPECT_FALSE(LookupStatusMessage(unknown).has_value()) << unknown;
  }
  // A code padded with zero bytes matches nothing, not even a code it begins.
  const char padded[6] = {'0', '0', '0', '0', '0', '\0'};
  EXPECT_FALSE(LookupStatusMessage(padded).has_value());
  // Only six characters count; what follows them does not.
  EXPECT_TRUE(LookupStatusMessage("0000001").has_value());
}

TEST(StatusMessages, LinesAreCutAt59Characters) {
  EXPECT_EQ(ComposePanelLine({0, 0, false}), "");
  // The calibration note (92 characters) serves as an over-long text.
  const std::string note = LoadText(kTextCalibrationNote);
  ASSERT_GT(note.size(), 59u);
  EXPECT_EQ(ComposePanelLine({kTextCalibrationNote, 0, false}), note.substr(0, 59));
  EXPECT_EQ(ComposePanelLine({kTextCalibrationNote, 260, true}), note.substr(0, 59));
  EXPECT_EQ(ComposePanelLine({kTextWrongToner, kTextCalibrationNote, true}),
            ("WRONG TONER " + note).substr(0, 59));

  // Counted in characters, never splitting a multi-byte one.
  const std::string umlauts = std::string(30, 'a') + [] {
    std::string s;
    for (int i = 0; i < 40; ++i) s += "\xC3\xBC";  // u umlaut
    return s;
  }();
  const std::string cut = CutToPanelLine(umlauts);
  EXPECT_EQ(cut.size(), 30u + 29u * 2u);
  EXPECT_EQ(cut, umlauts.substr(0, cut.size()));
  EXPECT_EQ(CutToPanelLine(std::string(59, 'x')), std::string(59, 'x'));
  EXPECT_EQ(CutToPanelLine("\xE6\x97\xA5"), "\xE6\x97\xA5");
}

}  // namespace
