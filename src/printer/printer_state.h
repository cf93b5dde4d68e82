// What was read from the printer, apart from any window: the information
// pages and counter records while a command uses them, the machine kind,
// the energy-save switch and the last status list. The windows hold one in
// the app record; the command line holds its own.
#pragma once

#include <cstdint>

#include "printer/status_list.h"

struct TonerPage;
struct CountPage;
struct MachinePage;
struct AdjustPage;
struct ReplacementCounts;
struct ApplicationCounts;

struct PrinterState {
  // Information-page blocks, allocated only while a command uses them.
  TonerPage* tonerPage = nullptr;
  CountPage* countPage = nullptr;
  MachinePage* machinePage = nullptr;
  AdjustPage* adjustPage = nullptr;
  ReplacementCounts* replacementCounts = nullptr;
  ApplicationCounts* applicationCounts = nullptr;

  std::uint8_t machineKind = 0;

  // The switch the configuration shows; the user service page edits the
  // same value before sending it.
  std::int32_t energySave = 0;

  StatusList status;
  std::int32_t displayIndex = 0;  // the entry the panel shows next
};
