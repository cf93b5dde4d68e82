#include "page_helpers/choice_list.h"

#include <algorithm>
#include <string>

void FillChoiceList(Window& window, int listId, const SettingChoice* table) {
  for (const SettingChoice* row = table; row->text[0] != '\0'; ++row) {
    // A text fills at most its 32 bytes, terminated or not.
    std::string text(row->text, std::find(row->text, row->text + kChoiceTextSize, '\0'));
    window.ListAdd(listId, text, row->value);
  }
}

bool SelectChoiceByValue(Window& window, int listId, std::int32_t value) {
  const int count = window.ListCount(listId);
  for (int index = 0; index < count; ++index) {
    if (window.ListItemData(listId, index) == value) {
      window.ListSelect(listId, index);
      return true;
    }
  }
  return false;
}
