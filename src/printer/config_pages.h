// The configuration's seven pages: their order and tab titles. The window,
// the export and the command line's text all take them here (the window
// its pages' layouts from info/configuration_controls.h).
#pragma once

// The pages in tab order: their index in the tab control and in the
// configuration window's list of pages.
enum ConfigPageIndex : int {
  kSuppliesPage,
  kCoveragePage,
  kCounterPage,
  kPaperPage,
  kMachineSettingPage,
  kFirmwarePage,
  kAdjustmentPage,
  kConfigPageCount,
};

// The tab title (string id) of each page, in ConfigPageIndex order.
extern const int kConfigPageTitles[kConfigPageCount];
