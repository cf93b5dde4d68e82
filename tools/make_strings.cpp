// make_strings: checks the string table source (resources/strings.txt) and
// writes it as a C++ source file holding the table (see string_data.h), and
// optionally the Windows resource script and the header of string names.
//
//   make_strings <strings.txt> <output.cpp> [<output.rc> [<string_ids.h>]]
//
// On any fault it prints "<file>:<line>: <what>" to stderr, writes nothing
// and exits with 1.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "string_languages.h"

namespace {

struct Entry {
  int id;
  int language;
  std::string text;
  int line;
};

// A name given to a string id, for the code that loads its text.
struct Name {
  int id;
  std::string name;
  int line;
};

struct Fault {
  int line;
  std::string what;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void SkipBlanks(std::string_view& rest) {
  while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
}

// Up to six decimal digits; more would overflow nothing but mean a typo.
bool TakeNumber(std::string_view& rest, int& value) {
  std::size_t digits = 0;
  value = 0;
  while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') {
    if (digits == 6) return false;
    value = value * 10 + (rest[digits] - '0');
    ++digits;
  }
  rest.remove_prefix(digits);
  return digits > 0;
}

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t more = 0;  // continuation bytes after the lead byte
    unsigned minimum = 0;  // smallest code point of that length
    unsigned code = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    }
    if ((lead & 0xE0) == 0xC0) {
      more = 1;
      minimum = 0x80;
      code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      more = 2;
      minimum = 0x800;
      code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      more = 3;
      minimum = 0x10000;
      code = lead & 0x07;
    } else {
      return false;
    }
    if (i + more >= text.size()) return false;
    for (std::size_t k = 1; k <= more; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    // Overlong forms, UTF-16 surrogates and values past Unicode are invalid.
    if (code < minimum || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return false;
    i += more + 1;
  }
  return true;
}

// The quoted text at the start of rest, escapes resolved.
bool TakeQuotedText(std::string_view& rest, std::string& text, std::string& what) {
  if (rest.empty() || rest.front() != '"') {
    what = "expected the text in double quotes";
    return false;
  }
  rest.remove_prefix(1);
  text.clear();
  while (!rest.empty() && rest.front() != '"') {
    char c = rest.front();
    rest.remove_prefix(1);
    if (c == '\\') {
      if (rest.empty() || (rest.front() != '"' && rest.front() != '\\')) {
        what = "unknown escape (only \\\" and \\\\ are known)";
        return false;
      }
      c = rest.front();
      rest.remove_prefix(1);
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      what = "control character in the text";
      return false;
    }
    text += c;
  }
  if (rest.empty()) {
    what = "text without its closing quote";
    return false;
  }
  rest.remove_prefix(1);
  return true;
}

bool IsTableLanguage(int language) {
  return std::find(std::begin(kStringTableLanguages), std::end(kStringTableLanguages), language) !=
         std::end(kStringTableLanguages);
}

// One entry line: <id> <language> "<text>".
bool ParseEntry(std::string_view rest, Entry& entry, std::string& what) {
  if (!TakeNumber(rest, entry.id) || entry.id < 1 || entry.id > 65535) {
    what = "expected a string id from 1 to 65535";
    return false;
  }
  const std::size_t before = rest.size();
  SkipBlanks(rest);
  if (rest.size() == before || !TakeNumber(rest, entry.language)) {
    what = "expected a language id after the string id";
    return false;
  }
  if (!IsTableLanguage(entry.language)) {
    what = "language " + std::to_string(entry.language) + " is not one of the 23 languages";
    return false;
  }
  const std::size_t afterLanguage = rest.size();
  SkipBlanks(rest);
  if (rest.size() == afterLanguage && !rest.empty()) {
    what = "expected a blank after the language id";
    return false;
  }
  if (!TakeQuotedText(rest, entry.text, what)) return false;
  SkipBlanks(rest);
  if (!rest.empty()) {
    what = "unexpected characters after the closing quote";
    return false;
  }
  if (entry.text.empty()) {
    what = "empty text";
    return false;
  }
  if (!IsValidUtf8(entry.text)) {
    what = "text is not valid UTF-8";
    return false;
  }
  return true;
}

// The program's constant style, which also keeps names clear of keywords and
// of the identifiers C++ reserves: k, a capital letter, letters and digits.
bool IsConstantName(std::string_view name) {
  if (name.size() < 2 || name[0] != 'k' || name[1] < 'A' || name[1] > 'Z') return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
  });
}

// A name line after its keyword: <id> <identifier>.
bool ParseName(std::string_view rest, Name& name, std::string& what) {
  SkipBlanks(rest);
  if (!TakeNumber(rest, name.id) || name.id < 1 || name.id > 65535) {
    what = "expected a string id from 1 to 65535 after 'name'";
    return false;
  }
  SkipBlanks(rest);
  std::size_t length = 0;
  while (length < rest.size() && !IsBlank(rest[length])) ++length;
  name.name = std::string(rest.substr(0, length));
  rest.remove_prefix(length);
  SkipBlanks(rest);
  if (!rest.empty() || !IsConstantName(name.name)) {
    what = "'" + name.name + "' is not a name like kTextSomething (k, a capital, letters, digits)";
    return false;
  }
  return true;
}

// The table's lines, each checked against the ones before it: ids
// ascending, every (id, language) and every name given once.
class TableReader {
 public:
  TableReader(std::vector<Entry>& entries, std::vector<Name>& names)
      : entries_(entries), names_(names) {}

  // A name line after its keyword.
  std::optional<Fault> AddName(int line, std::string_view rest);
  std::optional<Fault> AddEntry(int line, std::string_view rest);
  // Once every line is read: every name has a text, every id an English one.
  std::optional<Fault> CheckComplete() const;

 private:
  // A line for an id below the last one's: `what` is the line, `advice` how
  // to mend it.
  std::optional<Fault> OutOfOrder(int line, int id, const std::string& what,
                                  const std::string& advice) const;

  std::vector<Entry>& entries_;
  std::vector<Name>& names_;
  std::map<int, std::size_t> nameOfId_;  // id -> index in names
  std::map<std::string, int> lineOfName_;
  std::map<std::pair<int, int>, int> lineOf_;  // (id, language) -> line
  std::map<int, int> firstLineOf_;             // id -> its first line
  std::set<int> withEnglish_;
  int lastId_ = 0;
};

std::optional<Fault> TableReader::OutOfOrder(int line, int id, const std::string& what,
                                             const std::string& advice) const {
  if (id >= lastId_) return std::nullopt;
  return Fault{line, what + " comes after string " + std::to_string(lastId_) + ": " + advice +
                         ", ids ascending"};
}

std::optional<Fault> TableReader::AddName(int line, std::string_view rest) {
  Name name{0, {}, line};
  std::string what;
  if (!ParseName(rest, name, what)) return Fault{line, what};
  if (auto fault = OutOfOrder(line, name.id, "the name of string " + std::to_string(name.id),
                              "keep it with its id's texts"))
    return fault;
  if (const auto it = nameOfId_.find(name.id); it != nameOfId_.end()) {
    return Fault{line, "string " + std::to_string(name.id) + " is already named " +
                           names_[it->second].name + " on line " +
                           std::to_string(names_[it->second].line)};
  }
  if (const auto [it, isNew] = lineOfName_.try_emplace(name.name, line); !isNew)
    return Fault{line, name.name + " is already given on line " + std::to_string(it->second)};
  lastId_ = name.id;
  nameOfId_[name.id] = names_.size();
  names_.push_back(name);
  return std::nullopt;
}

std::optional<Fault> TableReader::AddEntry(int line, std::string_view rest) {
  Entry entry{0, 0, {}, line};
  std::string what;
  if (!ParseEntry(rest, entry, what)) return Fault{line, what};
  if (auto fault = OutOfOrder(line, entry.id, "string " + std::to_string(entry.id),
                              "keep the languages of an id together"))
    return fault;
  const auto [slot, isNew] = lineOf_.try_emplace({entry.id, entry.language}, line);
  if (!isNew) {
    return Fault{line, "string " + std::to_string(entry.id) + " in language " +
                           std::to_string(entry.language) + " is already given on line " +
                           std::to_string(slot->second)};
  }
  firstLineOf_.try_emplace(entry.id, line);
  if (entry.language == kStringTableEnglish) withEnglish_.insert(entry.id);
  lastId_ = entry.id;
  entries_.push_back(std::move(entry));
  return std::nullopt;
}

std::optional<Fault> TableReader::CheckComplete() const {
  for (const Name& name : names_) {
    if (!firstLineOf_.contains(name.id))
      return Fault{name.line, "string " + std::to_string(name.id) + " is named but has no text"};
  }
  for (const auto& [id, line] : firstLineOf_) {
    if (!withEnglish_.contains(id)) {
      return Fault{line, "string " + std::to_string(id) + " has no English (" +
                             std::to_string(kStringTableEnglish) + ") text"};
    }
  }
  return std::nullopt;
}

// A line's content: without the byte order mark (on the first line), the
// CR of a CR LF end and the blanks before it.
std::string_view Content(std::string_view text, int line) {
  if (line == 1 && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  if (text.ends_with('\r')) text.remove_suffix(1);
  SkipBlanks(text);
  return text;
}

// Reads and checks the whole source; the first fault ends the reading.
std::optional<Fault> ReadTable(const std::string& source, std::vector<Entry>& entries,
                               std::vector<Name>& names) {
  TableReader reader(entries, names);
  std::istringstream input(source);
  std::string text;
  for (int line = 1; std::getline(input, text); ++line) {
    const std::string_view rest = Content(text, line);
    if (rest.empty() || rest.front() == '#') continue;
    const bool isName = rest.starts_with("name") && rest.size() > 4 && IsBlank(rest[4]);
    if (auto fault = isName ? reader.AddName(line, rest.substr(4)) : reader.AddEntry(line, rest))
      return fault;
  }
  return reader.CheckComplete();
}

// A C++ string literal; bytes outside printable ASCII as octal escapes so
// the generated file is plain ASCII whatever the compiler's source charset.
std::string Literal(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\%03o", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + '"';
}

std::string GenerateSource(std::vector<Entry> entries) {
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return std::pair(a.id, a.language) < std::pair(b.id, b.language);
  });
  std::string out =
      "// Generated by make_strings from resources/strings.txt; edit that file.\n"
      "#include \"string_data.h\"\n\n"
      "namespace string_data {\n\n"
      "const Entry kEntries[] = {\n";
  for (const Entry& entry : entries) {
    out += "    {" + std::to_string(entry.id) + ", " + std::to_string(entry.language) + ", " +
           Literal(entry.text) + "},\n";
  }
  out +=
      "};\n"
      "const std::size_t kEntryCount = sizeof kEntries / sizeof kEntries[0];\n\n"
      "const int kIds[] = {";
  int count = 0;
  int lastId = 0;
  for (const Entry& entry : entries) {
    if (entry.id == lastId) continue;
    out += (count % 12 == 0 ? "\n    " : " ") + std::to_string(entry.id) + ",";
    lastId = entry.id;
    ++count;
  }
  out +=
      "\n};\n"
      "const std::size_t kIdCount = sizeof kIds / sizeof kIds[0];\n\n"
      "}  // namespace string_data\n";
  return out;
}

// The Windows resource script: one STRINGTABLE a language, UTF-8 (the
// resource compiler reads it with code page 65001 and stores UTF-16).
std::string GenerateResourceScript(std::vector<Entry> entries) {
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return std::pair(a.language, a.id) < std::pair(b.language, b.id);
  });
  std::string out =
      "// Generated by make_strings from resources/strings.txt; edit that file.\n"
      "#pragma code_page(65001)\n";
  int language = 0;
  for (const Entry& entry : entries) {
    if (entry.language != language) {
      if (language) out += "END\n";
      language = entry.language;
      // A language id is its primary language and, above bit 10, its variant.
      out += "\nLANGUAGE " + std::to_string(language & 0x3FF) + ", " +
             std::to_string(language >> 10) + "\nSTRINGTABLE\nBEGIN\n";
    }
    std::string text;
    for (char c : entry.text) {
      if (c == '"')
        text += "\"\"";
      else if (c == '\\')
        text += "\\\\";
      else
        text += c;
    }
    out += "  " + std::to_string(entry.id) + ", \"" + text + "\"\n";
  }
  return out + "END\n";
}

// The names as one enum, so that code refers to a text by name and the
// number stays in strings.txt alone.
std::string GenerateHeader(const std::vector<Name>& names) {
  std::string out =
      "// Generated by make_strings from resources/strings.txt; edit that file.\n"
      "// The string ids the program refers to by name (LoadText, ShowMessage).\n"
      "#pragma once\n\n"
      "enum StringId : int {\n";
  for (const Name& name : names) out += "  " + name.name + " = " + std::to_string(name.id) + ",\n";
  return out + "};\n";
}

bool WriteFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  out.close();
  if (out) return true;
  std::fprintf(stderr, "%s: cannot be written\n", path.c_str());
  std::remove(path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 5) {
    std::fprintf(stderr,
                 "usage: make_strings <strings.txt> <output.cpp> [<output.rc> [<string_ids.h>]]\n");
    return 1;
  }
  const std::string sourcePath = argv[1];
  const std::string outputPath = argv[2];

  std::ifstream in(sourcePath, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot be read\n", sourcePath.c_str());
    return 1;
  }
  const std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

  std::vector<Entry> entries;
  std::vector<Name> names;
  if (const std::optional<Fault> fault = ReadTable(source, entries, names)) {
    std::fprintf(stderr, "%s:%d: %s\n", sourcePath.c_str(), fault->line, fault->what.c_str());
    return 1;
  }
  if (entries.empty()) {
    std::fprintf(stderr, "%s: holds no strings\n", sourcePath.c_str());
    return 1;
  }

  if (argc >= 4 && !WriteFile(argv[3], GenerateResourceScript(entries))) return 1;
  if (argc == 5 && !WriteFile(argv[4], GenerateHeader(names))) return 1;
  return WriteFile(outputPath, GenerateSource(std::move(entries))) ? 0 : 1;
}
