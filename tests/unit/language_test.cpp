#include <gtest/gtest.h>

#include "common/language.h"

// The rules of the choice, not every row of the table: a region or script
// part chooses its variant, whatever the separators, codeset or modifier.
TEST(Language, RegionsChooseTheirVariant) {
  EXPECT_EQ(LanguageForLocale("de_DE.UTF-8"), 1031);
  EXPECT_EQ(LanguageForLocale("de_CH.UTF-8"), 2055);
  EXPECT_EQ(LanguageForLocale("de_LU.UTF-8"), 1031) << "another region takes the base language";
  EXPECT_EQ(LanguageForLocale("fr_BE@euro"), 2060);
  EXPECT_EQ(LanguageForLocale("fr-CH"), 4108);
  EXPECT_EQ(LanguageForLocale("zh-Hant-HK"), 1028);
  EXPECT_EQ(LanguageForLocale("zh_CN.UTF-8"), 2052);
  EXPECT_EQ(LanguageForLocale("ru"), 1049);
}

TEST(Language, UnknownLocalesFallBackToTheNextPreferenceThenEnglish) {
  EXPECT_EQ(LanguageForLocale("C"), 0);
  EXPECT_EQ(LanguageForLocale("C.UTF-8"), 0);
  EXPECT_EQ(LanguageForLocale("nl_NL.UTF-8"), 0);
  EXPECT_EQ(LanguageForLocale("sv"), 0);
  EXPECT_EQ(LanguageForLocales({"nl_NL", "de_AT", "en_US"}), 3079);
  EXPECT_EQ(LanguageForLocales({"nl_NL", "C"}), 1033);
  EXPECT_EQ(LanguageForLocales({}), 1033);
}

TEST(Language, WindowsLanguageIdsMapToTheTable) {
  EXPECT_EQ(LanguageForWindowsLanguage(1041), 1041);
  EXPECT_EQ(LanguageForWindowsLanguage(0x0C04), 1028) << "Chinese (Hong Kong) reads Traditional";
  EXPECT_EQ(LanguageForWindowsLanguage(0x1004), 2052) << "Chinese (Singapore) reads Simplified";
  EXPECT_EQ(LanguageForWindowsLanguage(0x1407), 2055);
  EXPECT_EQ(LanguageForWindowsLanguage(0x1007), 1031) << "another region takes the base language";
  EXPECT_EQ(LanguageForWindowsLanguage(0x0809), 1033);
  EXPECT_EQ(LanguageForWindowsLanguage(0x0413), 1033) << "Dutch is not in the table";
}
