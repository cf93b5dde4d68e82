// The program's string table: every user text by string id, in the 23
// languages (Windows language identifiers, 1033 English). Generated at build
// time from resources/strings.txt.
#pragma once

#include <span>
#include <string>

inline constexpr int kEnglish = 1033;

// The 23 language identifiers, in ascending order.
std::span<const int> TextLanguages();

// Chooses the language LoadText answers in (English when unknown).
void SetTextLanguage(int languageId);
int TextLanguage();

// The text of a string id in the current language, falling back to English;
// nullptr for an id the table does not have.
const char* LoadText(int stringId);
// LoadText, with "" for an id the table does not have: for a caller that
// shows or joins the text whatever it is.
inline std::string TextOrEmpty(int stringId) {
  const char* text = LoadText(stringId);
  return text ? text : "";
}
// The text in one language only; nullptr when that language lacks it.
const char* LoadTextIn(int languageId, int stringId);

// Every string id of the table, ascending.
std::span<const int> TextIds();
