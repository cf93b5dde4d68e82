// The user service page's settings between a Download and an Upload, as
// the page shows them: adjustments without the printer's bias, choices as
// the values sent.
#pragma once

#include <cstdint>

struct UserSettings {
  std::int32_t topAdjustPlain;
  std::int32_t topAdjustThick;
  std::int32_t topAdjustEnvelope;
  std::int32_t transferPlain;
  std::int32_t transferThick1;
  std::int32_t transferThick2;
  std::int32_t transferPostcard;
  std::int32_t transferEnvelope;
  std::int32_t transferLabels;
  std::int32_t leftAdjustTray1;
  std::int32_t gdiTimeout;  // the energy-save switch is PrinterState::energySave
  std::int32_t flicker;
  std::int32_t imageAdjParam;
};
