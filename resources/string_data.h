// The string table as data: written by tools/make_strings from strings.txt
// into the build folder; read only by string_table.cpp.
#pragma once

#include <cstddef>

namespace string_data {

struct Entry {
  int id;
  int language;
  const char* text;  // UTF-8
};

// Sorted by id, then language; each pair once.
extern const Entry kEntries[];
extern const std::size_t kEntryCount;

// Every id of kEntries once, ascending.
extern const int kIds[];
extern const std::size_t kIdCount;

}  // namespace string_data
