#include "front_end.h"

int EntryIndex(const std::vector<std::string>& entries, const std::string& entry) {
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i] == entry) return int(i);
  // By position when no entry has that text.
  if (entry.empty() || entry.size() > 6 || entry.find_first_not_of("0123456789") != std::string::npos)
    return -1;
  return std::stoi(entry);
}
