#include "ui/accessible_name.h"

#include <vector>

#include "common/string_table.h"
#include "string_ids.h"

namespace {

std::string Joined(const std::string& label, const std::string& labelled) {
  std::string text = TextOrEmpty(kTextNamedInGroup);
  const auto first = text.find("%1");
  if (first != std::string::npos) text.replace(first, 2, label);
  const auto second = text.find("%2", first == std::string::npos ? 0 : first + label.size());
  if (second != std::string::npos) text.replace(second, 2, labelled);
  return text;
}

}  // namespace

std::string AccessibleName(const DialogTemplate& dialog, int id,
                           const std::function<std::string(int)>& textOf) {
  const std::vector<int> naming = NamingControls(dialog, id);
  if (naming.empty()) return std::string();
  std::string name;
  for (int other : naming) {
    const std::string text = textOf(other);
    if (text.empty()) continue;
    name = name.empty() ? text : Joined(name, text);
  }
  const std::string own = textOf(id);
  if (own.empty()) return name;
  return name.empty() ? own : Joined(name, own);
}
