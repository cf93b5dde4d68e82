// A choice of a setting: the text shown and the value it stands for. Tables
// of choices end at an entry with an empty text.
#pragma once

#include <cstdint>

inline constexpr int kChoiceTextSize = 32;

struct SettingChoice {
  char text[kChoiceTextSize];
  std::int32_t value;
};
