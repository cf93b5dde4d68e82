#include <gtest/gtest.h>

#include "common/language.h"

TEST(Language, RegionsChooseTheirVariant) {
  EXPECT_EQ(LanguageForLocale("de_DE.UTF-8"), 1031);
  EXPECT_EQ(LanguageForLocale("de_CH.UTF-8"), 2055);
  EXPECT_EQ(LanguageForLocale("de_AT"), 3079);
  EXPECT_EQ(LanguageForLocale("de_LU.UTF-8"), 1031) << "another region takes the base language";
  EXPECT_EQ(LanguageForLocale("fr_BE@euro"), 2060);
  EXPECT_EQ(LanguageForLocale("fr-CH"), 4108);
  EXPECT_EQ(LanguageForLocale("fr_CA.UTF-8"), 1036);
  EXPECT_EQ(LanguageForLocale("it_CH.UTF-8"), 2064);
  EXPECT_EQ(LanguageForLocale("es_MX.UTF-8"), 2058);
  EXPECT_EQ(LanguageForLocale("es_ES.UTF-8"), 3082);
  EXPECT_EQ(LanguageForLocale("pt_PT.UTF-8"), 2070);
  EXPECT_EQ(LanguageForLocale("pt_BR.UTF-8"), 1046);
  EXPECT_EQ(LanguageForLocale("zh_TW.UTF-8"), 1028);
  EXPECT_EQ(LanguageForLocale("zh-Hant-HK"), 1028);
  EXPECT_EQ(LanguageForLocale("zh_CN.UTF-8"), 2052);
  EXPECT_EQ(LanguageForLocale("ja_JP.UTF-8"), 1041);
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
  EXPECT_EQ(LanguageForWindowsLanguage(2058), 2058);
  EXPECT_EQ(LanguageForWindowsLanguage(0x0C04), 1028) << "Chinese (Hong Kong) reads Traditional";
  EXPECT_EQ(LanguageForWindowsLanguage(0x1004), 2052) << "Chinese (Singapore) reads Simplified";
  EXPECT_EQ(LanguageForWindowsLanguage(0x1407), 2055);
  EXPECT_EQ(LanguageForWindowsLanguage(0x1007), 1031) << "another region takes the base language";
  EXPECT_EQ(LanguageForWindowsLanguage(0x2C0A), 3082);
  EXPECT_EQ(LanguageForWindowsLanguage(0x0C0C), 1036);
  EXPECT_EQ(LanguageForWindowsLanguage(0x0809), 1033);
  EXPECT_EQ(LanguageForWindowsLanguage(0x0413), 1033) << "Dutch is not in the table";
}
