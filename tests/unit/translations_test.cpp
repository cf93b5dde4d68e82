// Every language of the table is complete and keeps what must stay as it is.
#include <gtest/gtest.h>

#include <string>

#include "common/string_table.h"
#include "printer/status_messages.h"
#include "string_ids.h"

namespace {

std::string In(int language, int id) {
  const char* text = LoadTextIn(language, id);
  return text ? text : "";
}

std::size_t Characters(const std::string& utf8) {
  std::size_t count = 0;
  for (unsigned char c : utf8) count += (c & 0xC0) != 0x80;
  return count;
}

std::size_t TrailingBlanks(const std::string& text) {
  std::size_t end = text.find_last_not_of(' ');
  return end == std::string::npos ? text.size() : text.size() - end - 1;
}

std::string Line(int language, const PanelLine& line) {
  if (!line.stringId) return "";
  std::string text = In(language, line.stringId);
  if (line.suffixId) text += (line.blankBetween ? " " : "") + In(language, line.suffixId);
  return text;
}

TEST(Translations, EveryLanguageHasEveryString) {
  for (int language : TextLanguages())
    for (int id : TextIds())
      EXPECT_NE(LoadTextIn(language, id), nullptr) << "string " << id << " in " << language;
}

// A language the table does not have reads English.
TEST(Translations, AnUnknownLanguageIsEnglish) {
  SetTextLanguage(1032);
  EXPECT_EQ(TextLanguage(), kEnglish);
}

TEST(Translations, KeepTheFixedTextsAndTheBlanksThatCount) {
  for (int language : TextLanguages()) {
    SCOPED_TRACE(language);
    EXPECT_EQ(In(language, kTextProgramName), "Vantrel");
    EXPECT_NE(In(language, kTextMainWindowTitle).find("Vantrel"), std::string::npos);
    for (int id = 291; id <= 305; ++id) EXPECT_EQ(In(language, id), In(kEnglish, id)) << id;
    EXPECT_EQ(In(language, kTextCommandSent), In(language, kTextEjectSent));
    for (int id : {161, 185, 229, 288, 372, 373, 374, 375})
      EXPECT_EQ(TrailingBlanks(In(language, id)), TrailingBlanks(In(kEnglish, id))) << id;
    // The service-call code in its parentheses, as the printer shows it.
    for (int id : {237, 238, 239, 240, 241, 242, 243, 244, 245, 246, 247, 248,
                   249, 250, 251, 252, 253, 254, 255, 256, 257, 258, 1202}) {
      std::string english = In(kEnglish, id);
      std::string code = english.substr(english.find('('));
      std::string text = In(language, id);
      EXPECT_EQ(text.substr(text.size() - std::min(text.size(), code.size())), code) << id;
    }
  }
}

TEST(Translations, EveryPanelLineFitsTheDisplay) {
  for (int language : TextLanguages()) {
    for (const StatusTableEntry& entry : StatusMessageTable()) {
      for (const PanelLine& line : {entry.message.line1, entry.message.line2}) {
        std::string text = Line(language, line);
        EXPECT_LE(Characters(text), std::size_t(kPanelLineMax))
            << entry.code << " in " << language << ": " << text;
      }
    }
  }
}

}  // namespace
