// A settings page's drop-down lists filled from a table of choices.
#pragma once

#include <cstdint>

#include "printer/setting_choice.h"
#include "ui/dialog.h"

// Adds every entry of `table`, up to the first with an empty text, to the
// list, each with its value as item data.
void FillChoiceList(Window& window, int listId, const SettingChoice* table);

// Selects the first entry of the list whose item data is `value`; false,
// and the selection unchanged, when no entry has it.
bool SelectChoiceByValue(Window& window, int listId, std::int32_t value);
