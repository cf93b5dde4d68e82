// The string table of the Windows program: read from its own STRINGTABLE
// resources (strings.rc, generated from strings.txt like the table the other
// builds compile in), so the texts are in the program once. Linked into the
// Windows programs in place of the compiled-in texts; the language choice is
// the table's own (resources/text_language.cpp).
#include <windows.h>

#include <map>
#include <string>
#include <utility>

#include "common/string_table.h"
#include "ui/win32/win32_text.h"

namespace {

// Texts already converted to UTF-8, by language and id; they live as long
// as the program, as LoadText promises.
std::map<std::pair<int, int>, std::string>& Loaded() {
  static std::map<std::pair<int, int>, std::string> texts;
  return texts;
}

// A string table resource holds its strings in blocks of 16: block
// id / 16 + 1, each string a length and that many UTF-16 units.
const char* FromResources(int languageId, int stringId) {
  if (stringId <= 0 || stringId > 0xFFFF) return nullptr;
  auto key = std::pair(languageId, stringId);
  auto& texts = Loaded();
  if (auto found = texts.find(key); found != texts.end()) return found->second.c_str();
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC block =
      FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(stringId / 16 + 1), WORD(languageId));
  HGLOBAL data = block ? LoadResource(module, block) : nullptr;
  const auto* unit = data ? static_cast<const WCHAR*>(LockResource(data)) : nullptr;
  if (!unit) return nullptr;
  for (int index = 0; index < stringId % 16; ++index) unit += 1 + *unit;
  // An empty entry is a string the language does not have.
  if (*unit == 0) return nullptr;
  auto [inserted, added] = texts.emplace(key, Utf8(std::wstring(unit + 1, unit + 1 + *unit)));
  return inserted->second.c_str();
}

}  // namespace

const char* LoadTextIn(int languageId, int stringId) { return FromResources(languageId, stringId); }
