// Composes an INI file the way the Windows profile writer leaves it when
// entries are written one by one into a file that did not exist: the same
// bytes, so an export reads the same whichever platform wrote it.
#pragma once

#include <span>
#include <string>

// One write: texts already in the file's encoding.
struct IniEntry {
  std::string section;
  std::string key;
  std::string value;
};

// The file after writing the entries in order:
// - "[section]" and "key=value" lines, each ending in CR LF, no blank lines
//   added anywhere;
// - spaces (only spaces) at either end of section and key names dropped;
// - values verbatim (a value holding CR LF makes further lines);
// - sections in order of first use, a new key at the end of its section,
//   a repeated key (section and key compared ignoring ASCII case) keeping
//   its place and its first spelling, with the new value.
std::string ComposeIniFile(std::span<const IniEntry> entries);
