// The one application record: zero-filled at start, alive until the
// program ends; every window reaches the same one.
#pragma once

#include <cstdint>

struct TonerPage;
struct CountPage;
struct MachinePage;
struct AdjustPage;
struct ReplacementCounts;
struct ApplicationCounts;
class Window;  // a window of the dialog layer
class PrinterWatch;

inline constexpr int kStatusEntries = 170;
inline constexpr int kStatusCodeLength = 6;
inline constexpr int kStatusCodesSize = 1024;  // 170 entries use 1020

struct AppContext {
  std::int32_t panelVisible;

  // Information-page blocks, allocated only while a command uses them.
  TonerPage* tonerPage;
  CountPage* countPage;
  MachinePage* machinePage;
  AdjustPage* adjustPage;
  ReplacementCounts* replacementCounts;
  ApplicationCounts* applicationCounts;

  bool mainTabsBuilt;    // the main window's pages exist (made as it first opens)
  Window* mainPages[3];  // panel, user service, service mode
  std::uint8_t machineKind;

  Window* configPages[7];

  std::int32_t serviceUnlocked;

  // The last status read: entries of exactly six bytes, no terminator.
  std::int32_t statusCount;
  char statusCodes[kStatusCodesSize];
  std::int32_t displayIndex;

  // User service values.
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
  std::int32_t gdiTimeout;
  std::int32_t energySave;
  std::int32_t flicker;
  std::int32_t imageAdjParam;

  // Service mode values.
  std::int32_t tonerLowWarning;
  std::int32_t icLowWarning;
  std::int32_t temperaturePlain;
  std::int32_t temperatureThick;
  std::int32_t temperatureEnvelope;
  std::int32_t jamCounter;
  std::int32_t troubleCounter;
  std::int32_t transferBeltCounter;
  std::int32_t drumUnitCounter;
  std::int32_t transferRollerCounter;
  std::int32_t fuserUnitCounter;

  // The status watch asked for at start; null without it.
  PrinterWatch* watch;
};
