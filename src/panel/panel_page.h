// The panel page: the first tab of the main window.
#pragma once

#include "ui/dialog.h"

struct AppContext;

// Controls of the panel page.
enum PanelControlId : int {
  kPanelStatusButton = 1001,
  kPanelConfigButton = 1003,
  kPanelRotateTonerButton = 1004,
  kPanelChangeTonerRadio = 1007,
  kPanelEjectTonerRadio = 1008,
  kPanelApplyButton = 1010,
  kPanelTonerOutStopOn = 1012,
  kPanelTonerOutStopOff = 1013,
  kPanelAutoContinueOn = 1018,
  kPanelAutoContinueOff = 1019,
  kPanelCalibrationButton = 1021,
  kPanelTonerLowOn = 1024,
  kPanelTonerLowOff = 1025,
  kPanelEnergySaveList = 1077,
  kPanelCleanUpButton = 1204,
};

void PanelPageProc(Window& page, const DialogMessage& message);

// Sends the four default settings the page shows, every one even when an
// earlier one fails, and tells the user whether all were accepted.
void ApplyPanelDefaults(Window& page);
