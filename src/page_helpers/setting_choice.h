// A drop-down list entry of a settings page: the text shown and the value it
// stands for. Tables of choices end at an entry with an empty text.
#pragma once

#include <cstdint>

#include "ui/dialog.h"

inline constexpr int kChoiceTextSize = 32;

struct SettingChoice {
  char text[kChoiceTextSize];
  std::int32_t value;
};

// Adds every entry of `table`, up to the first with an empty text, to the
// list, each with its value as item data.
void FillChoiceList(Window& window, int listId, const SettingChoice* table);

// Selects the first entry of the list whose item data is `value`; false,
// and the selection unchanged, when no entry has it.
bool SelectChoiceByValue(Window& window, int listId, std::int32_t value);
