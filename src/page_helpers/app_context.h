// The one application record: zero-filled at start, alive until the
// program ends; every window reaches the same one.
#pragma once

#include <cstdint>

#include "printer/printer_state.h"
#include "printer/user_settings.h"

class Window;  // a window of the dialog layer
struct DialogMessage;
class PrinterWatch;
class DeviceLink;
class PrinterTurn;

struct AppContext {
  std::int32_t panelVisible;

  PrinterState printer;

  bool mainTabsBuilt;    // the main window's pages exist (made as it first opens)
  Window* mainPages[3];  // panel, user service, service mode

  Window* configPages[7];

  std::int32_t serviceUnlocked;

  UserSettings user;

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

  // The link the window's actions use, and the printer's turn they share
  // with the watch (page_helpers/link_session.h).
  DeviceLink* link;
  PrinterTurn* turn;

  // Opens the configuration window over `owner`: set by the shell, which
  // knows the pages, so that a page never includes a sibling page.
  void (*openConfiguration)(Window& owner, AppContext& ctx);
};

// The record a page is created with (Init's parameter), kept as the page's
// user data: null until then.
AppContext* PageContext(Window& page, const DialogMessage& message);
