// Which of the program's languages fits a user's locale.
#pragma once

#include <string>
#include <vector>

// The Windows language id for a locale name such as "de_CH.UTF-8", "pt-BR"
// or "zh_Hant_TW"; 0 when none of the program's languages fits.
int LanguageForLocale(const std::string& locale);

// The first of the user's preferred locales that fits, else English.
int LanguageForLocales(const std::vector<std::string>& preferred);

// The program's language for a Windows language identifier (the user's UI
// language): the same one when the program has it, else the variant the
// locale names would choose; English for the rest.
int LanguageForWindowsLanguage(int languageId);

// The language of the locale the environment names, in the C library's
// order: LC_ALL, LC_MESSAGES, LANG (the command-line programs' choice).
int LanguageForEnvironment();
