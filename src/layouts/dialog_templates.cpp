#include "layouts/dialog_template.h"

#include <algorithm>
#include <iterator>

#include "layouts/control_ids.h"

namespace {

// Control shapes used throughout. Static texts of the configuration pages and
// the labels of the service pages are one line, 8 units high.
constexpr int kLineHeight = 8;
// A drop-down list's template height includes its opened list; the closed
// control is 12 units high.
constexpr int kListWidth = 48;
constexpr int kListHeight = 60;

constexpr ControlTemplate Button(int id, int stringId, int x, int y, int cx, int cy) {
  return {ControlKind::PushButton, id, stringId, x, y, cx, cy, kTabStop, 0};
}

// The first radio of a pair starts its group; the second follows it.
constexpr ControlTemplate FirstRadio(int id, int stringId, int x, int y, int cx, int cy) {
  return {ControlKind::RadioButton, id, stringId, x, y, cx, cy, kGroupStart | kTabStop, 0};
}

constexpr ControlTemplate NextRadio(int id, int stringId, int x, int y, int cx, int cy) {
  return {ControlKind::RadioButton, id, stringId, x, y, cx, cy, 0, 0};
}

constexpr ControlTemplate CheckBox(int id, int stringId, int x, int y, int cx, int cy) {
  return {ControlKind::CheckBox, id, stringId, x, y, cx, cy, kTabStop, 0};
}

constexpr ControlTemplate Group(int id, int stringId, int x, int y, int cx, int cy) {
  return {ControlKind::GroupBox, id, stringId, x, y, cx, cy, 0, 0};
}

constexpr ControlTemplate Text(int id, int stringId, int x, int y, int cx, int cy) {
  return {ControlKind::Static, id, stringId, x, y, cx, cy, kAlignLeft, 0};
}

// A one-line left-aligned text: a label with its string, or a value field
// (kNoString) filled at run time.
constexpr ControlTemplate Line(int id, int stringId, int x, int y, int cx) {
  return Text(id, stringId, x, y, cx, kLineHeight);
}

constexpr ControlTemplate Value(int id, int x, int y, int cx) {
  return Line(id, kNoString, x, y, cx);
}

constexpr ControlTemplate List(int id, int x, int y, int cx, int cy) {
  return {ControlKind::DropDownList, id, kNoString, x, y, cx, cy, kTabStop, 0};
}

// ---------------------------------------------------------------------------
// Panel page (102): display box, status and configuration buttons, operator
// commands, default settings and calibration.

constexpr ControlTemplate kPanelControls[] = {
    Group(kPanelDisplayGroup, 1, 7, 5, 326, 120),  // holds the panel display
    // The display reads right after Status, the button that fills it.
    {ControlKind::PushButton, kPanelStatusButton, 2, 10, 15, 50, 14, kTabStop | kDrawingReadAfter,
     0},
    Button(kPanelConfigButton, 3, 10, 58, 140, 14),
    Group(kNoId, kNoString, 10, 71, 160, 50),
    Button(kPanelRotateTonerButton, 6, 15, 78, 75, 14),
    FirstRadio(kPanelChangeTonerRadio, 17, 15, 94, 145, 10),
    NextRadio(kPanelEjectTonerRadio, 18, 15, 109, 145, 10),
    Group(kNoId, kNoString, 172, 71, 155, 50),
    Button(kPanelCleanUpButton, 117, 175, 78, 110, 14),
    Text(1252, 1253, 175, 94, 148, 22),
    Group(1009, 7, 7, 125, 326, 95),
    Button(kPanelApplyButton, 8, 10, 135, 50, 14),
    Text(1026, 118, 11, 155, 124, 11),
    FirstRadio(kPanelTonerLowOn, 10, 140, 155, 65, 10),
    NextRadio(kPanelTonerLowOff, 11, 223, 155, 65, 10),
    Text(1011, 9, 11, 170, 124, 11),
    FirstRadio(kPanelTonerOutStopOn, 10, 140, 170, 65, 10),
    NextRadio(kPanelTonerOutStopOff, 11, 223, 170, 65, 10),
    Text(1014, 220, 11, 185, 125, 11),
    List(kPanelEnergySaveList, 140, 185, 48, 30),
    Text(1017, 14, 11, 200, 125, 11),
    FirstRadio(kPanelAutoContinueOn, 10, 140, 200, 65, 10),
    NextRadio(kPanelAutoContinueOff, 11, 223, 200, 65, 10),
    Group(1020, 15, 7, 220, 326, 30),
    Button(kPanelCalibrationButton, 16, 10, 230, 50, 14),
    // Two lines with room to spare: the page shrinks to fit its tab at
    // some resolutions, and two lines' bare 16 units then cut the second.
    Text(kPanelCalibrationNote, 1199, 67, 230, 220, 18),
};

// ---------------------------------------------------------------------------
// Configuration window (105) and its seven pages.

constexpr ControlTemplate kConfigWindowControls[] = {
    {ControlKind::TabControl, kConfigTabControl, kNoString, 7, 7, 346, 260, kTabStop, 0},
    Button(kConfigSaveButton, 330, 246, 269, 50, 14),
    Button(kConfigCloseButton, 32, 303, 269, 50, 14),
};

// Common grid of the pages: heading at the top left; labels without a group,
// and group titles, at the left edge; the rows of a group indented under its
// title; rows 15 units apart.
constexpr int kEdgeX = 5;
constexpr int kIndentX = 15;
constexpr int kHeadingY = 5;
constexpr int kHeadingWidth = 150;
constexpr int kRowStep = 15;

constexpr int Row(int firstY, int n) { return firstY + n * kRowStep; }

// Page 0, "Supplies Status" (107): three value columns under their titles.
constexpr int kSupplyLabelWidth = 98;
constexpr int kStatusX = 105, kStatusWidth = 75;
constexpr int kRemainingX = 185, kRemainingWidth = 55;
constexpr int kTypeX = 245, kTypeWidth = 75;
constexpr int kColumnTitleY = 25;
constexpr int kSupplyRowY = 40;

constexpr ControlTemplate kSuppliesControls[] = {
    Line(kSuppliesHeading, 157, kEdgeX, kHeadingY, kHeadingWidth),
    Line(1096, 2, kStatusX, kColumnTitleY, kStatusWidth),
    Line(1097, 158, kRemainingX, kColumnTitleY, kRemainingWidth),
    Line(1098, 159, kTypeX, kColumnTitleY, kTypeWidth),
    Line(kSuppliesCyanLabel, 160, kEdgeX, Row(kSupplyRowY, 0), kSupplyLabelWidth),
    Value(kSuppliesCyanStatus, kStatusX, Row(kSupplyRowY, 0), kStatusWidth),
    Value(kSuppliesCyanRemaining, kRemainingX, Row(kSupplyRowY, 0), kRemainingWidth),
    Value(kSuppliesCyanType, kTypeX, Row(kSupplyRowY, 0), kTypeWidth),
    Line(kSuppliesMagentaLabel, 161, kEdgeX, Row(kSupplyRowY, 1), kSupplyLabelWidth),
    Value(kSuppliesMagentaStatus, kStatusX, Row(kSupplyRowY, 1), kStatusWidth),
    Value(kSuppliesMagentaRemaining, kRemainingX, Row(kSupplyRowY, 1), kRemainingWidth),
    Value(kSuppliesMagentaType, kTypeX, Row(kSupplyRowY, 1), kTypeWidth),
    Line(kSuppliesYellowLabel, 162, kEdgeX, Row(kSupplyRowY, 2), kSupplyLabelWidth),
    Value(kSuppliesYellowStatus, kStatusX, Row(kSupplyRowY, 2), kStatusWidth),
    Value(kSuppliesYellowRemaining, kRemainingX, Row(kSupplyRowY, 2), kRemainingWidth),
    Value(kSuppliesYellowType, kTypeX, Row(kSupplyRowY, 2), kTypeWidth),
    Line(kSuppliesBlackLabel, 163, kEdgeX, Row(kSupplyRowY, 3), kSupplyLabelWidth),
    Value(kSuppliesBlackStatus, kStatusX, Row(kSupplyRowY, 3), kStatusWidth),
    Value(kSuppliesBlackRemaining, kRemainingX, Row(kSupplyRowY, 3), kRemainingWidth),
    Value(kSuppliesBlackType, kTypeX, Row(kSupplyRowY, 3), kTypeWidth),
    Line(kSuppliesImagingLabel, 164, kEdgeX, Row(kSupplyRowY, 4), kSupplyLabelWidth),
    Value(kSuppliesImagingStatus, kStatusX, Row(kSupplyRowY, 4), kStatusWidth),
    Value(kSuppliesImagingRemaining, kRemainingX, Row(kSupplyRowY, 4), kRemainingWidth),
};

// Page 1, "Coverage Information" (109): two totals groups one under the
// other, then the two toner coverage groups side by side, then the note.
constexpr int kGroupTitleWidth = 150;
constexpr int kTotalsLabelWidth = 115;
constexpr int kTotalsValueX = 135, kTotalsValueWidth = 60;
constexpr int kFacesY = 20;         // group title, rows below
constexpr int kCoverageY = 80;      // group title, rows below
constexpr int kTonerGroupsY = 125;  // both group titles, rows below
constexpr int kRightGroupX = 165;
constexpr int kRightIndentX = kRightGroupX + (kIndentX - kEdgeX);
constexpr int kAverageLabelWidth = 85;
constexpr int kAverageValueOffset = 90;  // from the label's x
constexpr int kAverageValueWidth = 40;
constexpr int kNoteY = 200;
constexpr int kNoteWidth = 300;

constexpr ControlTemplate kCoverageControls[] = {
    Line(1089, 171, kEdgeX, kHeadingY, kHeadingWidth),
    Line(kCoverageFacesTitle, 170, kEdgeX, kFacesY, kGroupTitleWidth),
    Line(kCoverageColorFacesLabel, 172, kIndentX, Row(kFacesY, 1), kTotalsLabelWidth),
    Value(kCoverageColorFaces, kTotalsValueX, Row(kFacesY, 1), kTotalsValueWidth),
    Line(kCoverageMonoFacesLabel, 173, kIndentX, Row(kFacesY, 2), kTotalsLabelWidth),
    Value(kCoverageMonoFaces, kTotalsValueX, Row(kFacesY, 2), kTotalsValueWidth),
    Line(kCoverageTotalFacesLabel, 174, kIndentX, Row(kFacesY, 3), kTotalsLabelWidth),
    Value(kCoverageTotalFaces, kTotalsValueX, Row(kFacesY, 3), kTotalsValueWidth),
    Line(kCoverageTitle, 175, kEdgeX, kCoverageY, kGroupTitleWidth),
    Line(kCoverageColorLabel, 176, kIndentX, Row(kCoverageY, 1), kTotalsLabelWidth),
    Value(kCoverageColor, kTotalsValueX, Row(kCoverageY, 1), kTotalsValueWidth),
    Line(kCoverageMonoLabel, 177, kIndentX, Row(kCoverageY, 2), kTotalsLabelWidth),
    Value(kCoverageMono, kTotalsValueX, Row(kCoverageY, 2), kTotalsValueWidth),
    // Current toner cartridge, left.
    Line(kCoverageCurrentTitle, 178, kEdgeX, kTonerGroupsY, 155),
    Line(kCoverageCurrentCyanLabel, 180, kIndentX, Row(kTonerGroupsY, 1), kAverageLabelWidth),
    Value(kCoverageCurrentCyan, kIndentX + kAverageValueOffset, Row(kTonerGroupsY, 1),
          kAverageValueWidth),
    Line(kCoverageCurrentMagentaLabel, 181, kIndentX, Row(kTonerGroupsY, 2), kAverageLabelWidth),
    Value(kCoverageCurrentMagenta, kIndentX + kAverageValueOffset, Row(kTonerGroupsY, 2),
          kAverageValueWidth),
    Line(kCoverageCurrentYellowLabel, 182, kIndentX, Row(kTonerGroupsY, 3), kAverageLabelWidth),
    Value(kCoverageCurrentYellow, kIndentX + kAverageValueOffset, Row(kTonerGroupsY, 3),
          kAverageValueWidth),
    Line(kCoverageCurrentBlackLabel, 183, kIndentX, Row(kTonerGroupsY, 4), kAverageLabelWidth),
    Value(kCoverageCurrentBlack, kIndentX + kAverageValueOffset, Row(kTonerGroupsY, 4),
          kAverageValueWidth),
    // Last job, right.
    Line(kCoverageLastJobTitle, 179, kRightGroupX, kTonerGroupsY, kGroupTitleWidth),
    Line(kCoverageLastJobCyanLabel, 180, kRightIndentX, Row(kTonerGroupsY, 1), kAverageLabelWidth),
    Value(kCoverageLastJobCyan, kRightIndentX + kAverageValueOffset, Row(kTonerGroupsY, 1),
          kAverageValueWidth),
    Line(kCoverageLastJobMagentaLabel, 181, kRightIndentX, Row(kTonerGroupsY, 2),
         kAverageLabelWidth),
    Value(kCoverageLastJobMagenta, kRightIndentX + kAverageValueOffset, Row(kTonerGroupsY, 2),
          kAverageValueWidth),
    Line(kCoverageLastJobYellowLabel, 182, kRightIndentX, Row(kTonerGroupsY, 3),
         kAverageLabelWidth),
    Value(kCoverageLastJobYellow, kRightIndentX + kAverageValueOffset, Row(kTonerGroupsY, 3),
          kAverageValueWidth),
    Line(kCoverageLastJobBlackLabel, 183, kRightIndentX, Row(kTonerGroupsY, 4), kAverageLabelWidth),
    Value(kCoverageLastJobBlack, kRightIndentX + kAverageValueOffset, Row(kTonerGroupsY, 4),
          kAverageValueWidth),
    Line(1251, 1205, kEdgeX, kNoteY, kNoteWidth),
};

// Page 2, "Counter" (106): three face counters, the tray group, then the two
// counter-record lines across the page. String 185 ends in blanks, which the
// label cuts off.
constexpr int kCounterRowY = 20;
constexpr int kCounterValueX = 105, kCounterValueWidth = 70;
constexpr int kCounterLineWidth = 295;

constexpr ControlTemplate kCounterControls[] = {
    Line(kCounterHeading, 184, kEdgeX, kHeadingY, kHeadingWidth),
    Line(kCounterTotalLabel, 185, kEdgeX, Row(kCounterRowY, 0), 95),
    Value(kCounterTotal, kCounterValueX, Row(kCounterRowY, 0), kCounterValueWidth),
    Line(kCounterColorLabel, 186, kEdgeX, Row(kCounterRowY, 1), 95),
    Value(kCounterColor, kCounterValueX, Row(kCounterRowY, 1), kCounterValueWidth),
    Line(kCounterMonoLabel, 187, kEdgeX, Row(kCounterRowY, 2), 95),
    Value(kCounterMono, kCounterValueX, Row(kCounterRowY, 2), kCounterValueWidth),
    Line(kCounterTrayTitle, 188, kEdgeX, Row(kCounterRowY, 3), kGroupTitleWidth),
    Line(kCounterTray1Label, 133, kIndentX, Row(kCounterRowY, 4), 85),
    Value(kCounterTray1, kCounterValueX, Row(kCounterRowY, 4), kCounterValueWidth),
    Value(kCounterReplacements, kEdgeX, Row(kCounterRowY, 5), kCounterLineWidth),
    Value(kCounterApplications, kEdgeX, Row(kCounterRowY, 6), kCounterLineWidth),
};

// Page 3, "Paper" (113): sizes in the left column, types in the right.
constexpr int kPaperGroupY = 20;
constexpr int kPaperLabelWidth = 60;
constexpr int kPaperValueOffset = 65;  // from the label's x
constexpr int kPaperValueWidth = 70;
constexpr int kSizeValueX = kIndentX + kPaperValueOffset;
constexpr int kTypeValueX = kRightIndentX + kPaperValueOffset;

constexpr ControlTemplate kPaperControls[] = {
    Line(1124, 189, kEdgeX, kHeadingY, kHeadingWidth),
    Line(kPaperSizeTitle, 190, kEdgeX, kPaperGroupY, kGroupTitleWidth),
    Line(kPaperA4Label, 191, kIndentX, Row(kPaperGroupY, 1), kPaperLabelWidth),
    Value(kPaperA4, kSizeValueX, Row(kPaperGroupY, 1), kPaperValueWidth),
    Line(kPaperB5Label, 192, kIndentX, Row(kPaperGroupY, 2), kPaperLabelWidth),
    Value(kPaperB5, kSizeValueX, Row(kPaperGroupY, 2), kPaperValueWidth),
    Line(kPaperA5Label, 193, kIndentX, Row(kPaperGroupY, 3), kPaperLabelWidth),
    Value(kPaperA5, kSizeValueX, Row(kPaperGroupY, 3), kPaperValueWidth),
    Line(kPaperLegalLabel, 194, kIndentX, Row(kPaperGroupY, 4), kPaperLabelWidth),
    Value(kPaperLegal, kSizeValueX, Row(kPaperGroupY, 4), kPaperValueWidth),
    Line(kPaperLetterLabel, 195, kIndentX, Row(kPaperGroupY, 5), kPaperLabelWidth),
    Value(kPaperLetter, kSizeValueX, Row(kPaperGroupY, 5), kPaperValueWidth),
    Line(kPaperOtherSizesLabel, 196, kIndentX, Row(kPaperGroupY, 6), kPaperLabelWidth),
    Value(kPaperOtherSizes, kSizeValueX, Row(kPaperGroupY, 6), kPaperValueWidth),
    Line(kPaperTypeTitle, 197, kRightGroupX, kPaperGroupY, kGroupTitleWidth),
    Line(kPaperPlainLabel, 124, kRightIndentX, Row(kPaperGroupY, 1), kPaperLabelWidth),
    Value(kPaperPlain, kTypeValueX, Row(kPaperGroupY, 1), kPaperValueWidth),
    Line(kPaperThick1Label, 128, kRightIndentX, Row(kPaperGroupY, 2), kPaperLabelWidth),
    Value(kPaperThick1, kTypeValueX, Row(kPaperGroupY, 2), kPaperValueWidth),
    Line(kPaperThick2Label, 129, kRightIndentX, Row(kPaperGroupY, 3), kPaperLabelWidth),
    Value(kPaperThick2, kTypeValueX, Row(kPaperGroupY, 3), kPaperValueWidth),
    Line(kPaperEnvelopeLabel, 126, kRightIndentX, Row(kPaperGroupY, 4), kPaperLabelWidth),
    Value(kPaperEnvelope, kTypeValueX, Row(kPaperGroupY, 4), kPaperValueWidth),
    Line(kPaperLetterheadLabel, 198, kRightIndentX, Row(kPaperGroupY, 5), kPaperLabelWidth),
    Value(kPaperLetterhead, kTypeValueX, Row(kPaperGroupY, 5), kPaperValueWidth),
    Line(kPaperPostcardLabel, 130, kRightIndentX, Row(kPaperGroupY, 6), kPaperLabelWidth),
    Value(kPaperPostcard, kTypeValueX, Row(kPaperGroupY, 6), kPaperValueWidth),
    Line(kPaperLabelsLabel, 131, kRightIndentX, Row(kPaperGroupY, 7), kPaperLabelWidth),
    Value(kPaperLabels, kTypeValueX, Row(kPaperGroupY, 7), kPaperValueWidth),
};

// Page 4, "Machine Setting" (108): five rows.
constexpr int kMachineRowY = 20;
constexpr int kMachineLabelWidth = 110;
constexpr int kMachineValueX = 120, kMachineValueWidth = 85;

constexpr ControlTemplate kMachineControls[] = {
    Line(kMachineHeading, 199, kEdgeX, kHeadingY, kHeadingWidth),
    Line(kMachineSerialLabel, 200, kEdgeX, Row(kMachineRowY, 0), kMachineLabelWidth),
    Value(kMachineSerial, kMachineValueX, Row(kMachineRowY, 0), kMachineValueWidth),
    Line(kMachineEnergySaveLabel, 201, kEdgeX, Row(kMachineRowY, 1), kMachineLabelWidth),
    Value(kMachineEnergySave, kMachineValueX, Row(kMachineRowY, 1), kMachineValueWidth),
    Line(kMachineAutoContinueLabel, 14, kEdgeX, Row(kMachineRowY, 2), kMachineLabelWidth),
    Value(kMachineAutoContinue, kMachineValueX, Row(kMachineRowY, 2), kMachineValueWidth),
    Line(kMachineTonerOutStopLabel, 9, kEdgeX, Row(kMachineRowY, 3), kMachineLabelWidth),
    Value(kMachineTonerOutStop, kMachineValueX, Row(kMachineRowY, 3), kMachineValueWidth),
    Line(kMachineTonerLowLabel, 118, kEdgeX, Row(kMachineRowY, 4), kMachineLabelWidth),
    Value(kMachineTonerLow, kMachineValueX, Row(kMachineRowY, 4), kMachineValueWidth),
};

// Page 5, "Firmware Version" (115): three rows.
constexpr int kFirmwareRowY = 20;
constexpr int kFirmwareLabelWidth = 60;
constexpr int kFirmwareValueX = 70, kFirmwareValueWidth = 85;

constexpr ControlTemplate kFirmwareControls[] = {
    Line(kFirmwareHeading, 203, kEdgeX, kHeadingY, kHeadingWidth),
    Line(kFirmwareEngineLabel, 204, kEdgeX, Row(kFirmwareRowY, 0), kFirmwareLabelWidth),
    Value(kFirmwareEngine, kFirmwareValueX, Row(kFirmwareRowY, 0), kFirmwareValueWidth),
    Line(kFirmwareBootLabel, 205, kEdgeX, Row(kFirmwareRowY, 1), kFirmwareLabelWidth),
    Value(kFirmwareBoot, kFirmwareValueX, Row(kFirmwareRowY, 1), kFirmwareValueWidth),
    Line(kFirmwareControllerLabel, 206, kEdgeX, Row(kFirmwareRowY, 2), kFirmwareLabelWidth),
    Value(kFirmwareController, kFirmwareValueX, Row(kFirmwareRowY, 2), kFirmwareValueWidth),
};

// Page 6, "Adjustment" (114): top, left and image rows in the left column,
// the transfer-power group in the right column.
constexpr int kAdjustGroupY = 20;
constexpr int kLeftAdjustY = 80;
constexpr int kImageRowY = 110;
constexpr int kSpareRowY = 125;
constexpr int kAdjustTitleWidth = 140;
constexpr int kAdjustLabelWidth = 90;
constexpr int kAdjustValueX = 110, kAdjustValueWidth = 30;
constexpr int kTransferLabelWidth = 60;
constexpr int kTransferValueX = 240;

constexpr ControlTemplate kAdjustmentControls[] = {
    Line(1161, 208, kEdgeX, kHeadingY, kHeadingWidth),
    Line(kAdjustTopTitle, 123, kEdgeX, kAdjustGroupY, kAdjustTitleWidth),
    Line(kAdjustTopPlainLabel, 124, kIndentX, Row(kAdjustGroupY, 1), kAdjustLabelWidth),
    Value(kAdjustTopPlain, kAdjustValueX, Row(kAdjustGroupY, 1), kAdjustValueWidth),
    Line(kAdjustTopThickLabel, 125, kIndentX, Row(kAdjustGroupY, 2), kAdjustLabelWidth),
    Value(kAdjustTopThick, kAdjustValueX, Row(kAdjustGroupY, 2), kAdjustValueWidth),
    Line(kAdjustTopEnvelopeLabel, 126, kIndentX, Row(kAdjustGroupY, 3), kAdjustLabelWidth),
    Value(kAdjustTopEnvelope, kAdjustValueX, Row(kAdjustGroupY, 3), kAdjustValueWidth),
    Line(kAdjustLeftTitle, 209, kEdgeX, kLeftAdjustY, kAdjustTitleWidth),
    Line(kAdjustLeftTray1Label, 134, kIndentX, Row(kLeftAdjustY, 1), kAdjustLabelWidth),
    Value(kAdjustLeftTray1, kAdjustValueX, Row(kLeftAdjustY, 1), kAdjustValueWidth),
    Line(kAdjustImageLabel, 136, kEdgeX, kImageRowY, kAdjustLabelWidth + (kIndentX - kEdgeX)),
    Value(kAdjustImage, kAdjustValueX, kImageRowY, kAdjustValueWidth),
    // Spare fields of the page: they stay empty.
    Value(1173, kIndentX, kSpareRowY, kAdjustValueWidth),
    Value(1174, kAdjustValueX, kSpareRowY, kAdjustValueWidth),
    Value(1190, kRightIndentX, kSpareRowY, kAdjustValueWidth),
    Value(1191, kTransferValueX, kSpareRowY, kAdjustValueWidth),
    Value(1192, kTransferValueX, Row(kSpareRowY, 1), kAdjustValueWidth),
    // Transfer power, right.
    Line(kAdjustTransferTitle, 213, kRightGroupX, kAdjustGroupY, kAdjustTitleWidth),
    Line(kAdjustTransferPlainLabel, 124, kRightIndentX, Row(kAdjustGroupY, 1), kTransferLabelWidth),
    Value(kAdjustTransferPlain, kTransferValueX, Row(kAdjustGroupY, 1), kAdjustValueWidth),
    Line(kAdjustTransferThick1Label, 128, kRightIndentX, Row(kAdjustGroupY, 2),
         kTransferLabelWidth),
    Value(kAdjustTransferThick1, kTransferValueX, Row(kAdjustGroupY, 2), kAdjustValueWidth),
    Line(kAdjustTransferThick2Label, 129, kRightIndentX, Row(kAdjustGroupY, 3),
         kTransferLabelWidth),
    Value(kAdjustTransferThick2, kTransferValueX, Row(kAdjustGroupY, 3), kAdjustValueWidth),
    Line(kAdjustTransferPostcardLabel, 130, kRightIndentX, Row(kAdjustGroupY, 4),
         kTransferLabelWidth),
    Value(kAdjustTransferPostcard, kTransferValueX, Row(kAdjustGroupY, 4), kAdjustValueWidth),
    Line(kAdjustTransferEnvelopeLabel, 126, kRightIndentX, Row(kAdjustGroupY, 5),
         kTransferLabelWidth),
    Value(kAdjustTransferEnvelope, kTransferValueX, Row(kAdjustGroupY, 5), kAdjustValueWidth),
    Line(kAdjustTransferLabelsLabel, 131, kRightIndentX, Row(kAdjustGroupY, 6),
         kTransferLabelWidth),
    Value(kAdjustTransferLabels, kTransferValueX, Row(kAdjustGroupY, 6), kAdjustValueWidth),
};

// ---------------------------------------------------------------------------
// Main window (110). The zero-size "&admin" label carries a fixed text the
// window sets itself, so it has no string id; its mnemonic leads to the
// password field after it.

constexpr ControlTemplate kMainWindowControls[] = {
    Button(kMainCloseButton, 32, 283, 244, 60, 14),
    {ControlKind::TabControl, kMainTab, kNoString, 7, 7, 340, 235, kTabStop, 0},
    {ControlKind::Static, kPasswordLabel, kNoString, 80, 245, 0, 0, kAlignLeft, 0},
    {ControlKind::Edit, kPasswordField, kNoString, 103, 243, 0, 0, kBorder | kAutoScroll | kTabStop,
     10},
    Button(kMainAboutButton, 327, 215, 244, 60, 14),
};

// ---------------------------------------------------------------------------
// User service page (111): each slider has its label 10 units above and its
// value text to its right; each list its label to the left.

constexpr int kSliderWidth = 100, kSliderHeight = 10;
constexpr int kSliderLabelRise = 10;
constexpr int kSliderValueGap = 5;
constexpr int kSliderValueWidth = 15;
constexpr int kSliderLabelWidth = 100;
constexpr int kServiceListLabelWidth = 90;

// The three controls of a slider, each placed from the slider's position.
constexpr ControlTemplate SliderLabel(int id, int stringId, int sliderX, int sliderY) {
  return Line(id, stringId, sliderX, sliderY - kSliderLabelRise, kSliderLabelWidth);
}

constexpr ControlTemplate Slider(int id, int x, int y) {
  return {ControlKind::Trackbar, id, kNoString, x, y, kSliderWidth, kSliderHeight, kTabStop, 0};
}

constexpr ControlTemplate SliderValue(int id, int sliderX, int sliderY) {
  return Value(id, sliderX + kSliderWidth + kSliderValueGap, sliderY + 1, kSliderValueWidth);
}

constexpr ControlTemplate kUserServiceControls[] = {
    Group(1036, 123, 12, 5, 140, 75),
    SliderLabel(1043, 124, 15, 28),
    Slider(kTopPlainSlider, 15, 28),
    SliderValue(kTopPlainValue, 15, 28),
    SliderLabel(1044, 125, 15, 48),
    Slider(kTopThickSlider, 15, 48),
    SliderValue(kTopThickValue, 15, 48),
    SliderLabel(1045, 126, 15, 68),
    Slider(kTopEnvelopeSlider, 15, 68),
    SliderValue(kTopEnvelopeValue, 15, 68),
    Group(1046, 213, 12, 85, 140, 135),
    SliderLabel(1047, 124, 15, 107),
    Slider(kTransferPlainSlider, 15, 107),
    SliderValue(kTransferPlainValue, 15, 107),
    SliderLabel(1050, 128, 15, 127),
    Slider(kTransferThick1Slider, 15, 127),
    SliderValue(kTransferThick1Value, 15, 127),
    SliderLabel(1053, 129, 15, 147),
    Slider(kTransferThick2Slider, 15, 147),
    SliderValue(kTransferThick2Value, 15, 147),
    SliderLabel(1056, 130, 15, 167),
    Slider(kTransferPostcardSlider, 15, 167),
    SliderValue(kTransferPostcardValue, 15, 167),
    SliderLabel(1059, 126, 15, 187),
    Slider(kTransferEnvelopeSlider, 15, 187),
    SliderValue(kTransferEnvelopeValue, 15, 187),
    SliderLabel(1062, 131, 15, 207),
    Slider(kTransferLabelsSlider, 15, 207),
    SliderValue(kTransferLabelsValue, 15, 207),
    Group(1065, 132, 171, 5, 152, 75),
    SliderLabel(1066, 134, 176, 28),
    Slider(kLeftTray1Slider, 176, 28),
    SliderValue(kLeftTray1Value, 176, 28),
    Group(1094, 224, 171, 85, 152, 50),
    Line(1071, 219, 175, 98, kServiceListLabelWidth),
    List(kGdiTimeoutList, 272, 96, kListWidth, kListHeight),
    Line(kUserEnergySaveLabel, 12, 175, 118, kServiceListLabelWidth),
    List(kUserEnergySaveList, 272, 116, kListWidth, kListHeight),
    Group(1092, kNoString, 171, 140, 152, 45),
    Line(1078, 221, 175, 150, kServiceListLabelWidth),
    List(kFlickerList, 272, 148, kListWidth, kListHeight),
    Line(1074, 136, 175, 170, kServiceListLabelWidth),
    List(kImageAdjList, 272, 168, kListWidth, kListHeight),
    Button(kImageRefreshButton, 1255, 170, 190, 130, 14),
    Button(kPattern1Button, 222, 44, 235, 80, 14),
    Button(kPattern2Button, 223, 130, 235, 80, 14),
    Button(kUserDownloadButton, 146, 215, 235, 55, 14),
    Button(kUserUploadButton, 147, 275, 235, 55, 14),
};

// ---------------------------------------------------------------------------
// Service mode page (112).

constexpr ControlTemplate kServiceModeControls[] = {
    Group(1070, 137, 10, 7, 318, 45),
    CheckBox(kTonerLowBox, 138, 18, 20, 110, 8),
    CheckBox(kIcLowBox, 139, 18, 35, 110, 8),
    Group(1073, 140, 12, 60, 155, 75),
    Line(1074, 124, 20, 75, 80),
    List(kTemperaturePlainList, 105, 75, kListWidth, kListHeight),
    Line(1075, 125, 20, 95, 80),
    List(kTemperatureThickList, 105, 95, kListWidth, kListHeight),
    Line(1076, 126, 20, 115, 80),
    List(kTemperatureEnvelopeList, 105, 115, kListWidth, kListHeight),
    Group(kNoId, kNoString, 12, 140, 155, 25),
    Button(kBkClearButton, 142, 15, 147, 90, 14),
    Group(1082, 143, 12, 170, 155, 50),
    Button(kFuserUnitButton, 144, 15, 180, 90, 14),
    Button(kTransferRollerButton, 145, 15, 200, 90, 14),
    Group(1194, kNoString, 188, 60, 140, 160),
    Line(1080, 226, 207, 70, 111),
    Text(kJamCounterField, kNoString, 207, 80, 80, 10),
    Line(1083, 227, 207, 95, 110),
    Text(kTroubleCounterField, kNoString, 207, 105, 80, 10),
    Line(1108, 388, 207, 120, 110),
    Text(kTransferBeltCounterField, kNoString, 207, 130, 80, 10),
    Line(1158, 144, 207, 145, 110),
    Text(kFuserUnitCounterField, kNoString, 207, 155, 80, 10),
    Line(1157, 145, 207, 170, 110),
    Text(kTransferRollerCounterField, kNoString, 207, 180, 80, 10),
    Line(1114, 389, 207, 195, 110),
    Text(kDrumUnitCounterField, kNoString, 207, 205, 80, 10),
    Button(kServiceDownloadButton, 146, 215, 235, 55, 14),
    Button(kServiceUploadButton, 147, 272, 235, 55, 14),
};

// ---------------------------------------------------------------------------
// About box (117). Its two texts are constants of the program, set by the
// box itself.

constexpr ControlTemplate kAboutControls[] = {
    {ControlKind::Static, kAboutProductLine, kNoString, 10, 14, 165, 13, kAlignCenter, 0},
    {ControlKind::Static, kAboutVersion, kNoString, 10, 30, 165, 13, kAlignCenter, 0},
    Button(kAboutCloseButton, 32, 67, 74, 50, 14),
};

// ---------------------------------------------------------------------------

constexpr const char* kFont = "Tahoma";
constexpr int kPageWidth = 340, kPageHeight = 260;
constexpr int kConfigPageWidth = 325, kConfigPageHeight = 225;

constexpr DialogTemplate kPanelPage = {
    kPanelPageTemplate,        kPageWidth,    kPageHeight, kFont, 9,
    kChildPage | kDrawsItself, kPanelControls};
constexpr DialogTemplate kConfigWindow = {
    kConfigWindowTemplate, 360, 290, kFont, 9, kCaption | kSystemMenu | kModalFrame,
    kConfigWindowControls};
constexpr DialogTemplate kConfigCounter = {
    kConfigCounterTemplate, kConfigPageWidth, kConfigPageHeight, kFont, 9, kChildPage,
    kCounterControls};
constexpr DialogTemplate kConfigSupplies = {
    kConfigSuppliesTemplate, kConfigPageWidth, kConfigPageHeight, kFont, 9, kChildPage,
    kSuppliesControls};
constexpr DialogTemplate kConfigMachine = {
    kConfigMachineTemplate, kConfigPageWidth, kConfigPageHeight, kFont, 9, kChildPage,
    kMachineControls};
constexpr DialogTemplate kConfigCoverage = {
    kConfigCoverageTemplate, kConfigPageWidth, kConfigPageHeight, kFont, 9, kChildPage,
    kCoverageControls};
constexpr DialogTemplate kMainWindow = {
    kMainWindowTemplate, 350, 265, kFont, 10, kCaption | kSystemMenu, kMainWindowControls};
constexpr DialogTemplate kUserServicePage = {
    kUserServiceTemplate, kPageWidth, kPageHeight, kFont, 9, kChildPage, kUserServiceControls};
constexpr DialogTemplate kServiceModePage = {
    kServiceModeTemplate, kPageWidth, kPageHeight, kFont, 9, kChildPage, kServiceModeControls};
constexpr DialogTemplate kConfigPaper = {
    kConfigPaperTemplate, kConfigPageWidth, kConfigPageHeight, kFont, 9,
    kChildPage,           kPaperControls};
constexpr DialogTemplate kConfigAdjustment = {
    kConfigAdjustmentTemplate, kConfigPageWidth, kConfigPageHeight, kFont, 9, kChildPage,
    kAdjustmentControls};
constexpr DialogTemplate kConfigFirmware = {
    kConfigFirmwareTemplate, kConfigPageWidth, kConfigPageHeight, kFont, 9, kChildPage,
    kFirmwareControls};
constexpr DialogTemplate kAbout = {kAboutTemplate, 187, 95, kFont, 9, kModalFrame | kDialogFrame,
                                   kAboutControls};

// In ascending template id.
constexpr const DialogTemplate* kAllTemplates[] = {
    &kPanelPage,        &kConfigWindow,   &kConfigCounter,   &kConfigSupplies,  &kConfigMachine,
    &kConfigCoverage,   &kMainWindow,     &kUserServicePage, &kServiceModePage, &kConfigPaper,
    &kConfigAdjustment, &kConfigFirmware, &kAbout,
};

}  // namespace

const DialogTemplate* FindDialogTemplate(int id) {
  for (const DialogTemplate* dialog : kAllTemplates) {
    if (dialog->id == id) return dialog;
  }
  return nullptr;
}

std::span<const DialogTemplate* const> AllDialogTemplates() { return kAllTemplates; }

const ControlTemplate* FindControl(const DialogTemplate& dialog, int id) {
  if (id == kNoId) return nullptr;  // several controls may carry it
  for (const ControlTemplate& control : dialog.controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

ControlKind ControlKindIn(int templateId, int id) {
  const DialogTemplate* dialog = FindDialogTemplate(templateId);
  const ControlTemplate* control = dialog ? FindControl(*dialog, id) : nullptr;
  return control ? control->kind : ControlKind::Static;
}

std::vector<int> RadioGroupOf(const DialogTemplate& dialog, int id) {
  const auto& controls = dialog.controls;
  auto self = std::find_if(controls.begin(), controls.end(),
                           [id](const ControlTemplate& c) { return c.id == id; });
  if (self == controls.end()) return {};
  auto first = self;
  while (first != controls.begin() && !(first->style & kGroupStart)) --first;
  auto last = self + 1;
  while (last != controls.end() && !(last->style & kGroupStart)) ++last;
  std::vector<int> group;
  for (auto it = first; it != last; ++it)
    if (it->kind == ControlKind::RadioButton && it->id != kNoId) group.push_back(it->id);
  return group;
}

namespace {

// A text of the template's own that names something: a label or group title
// with a string.
bool IsNamingText(const ControlTemplate& c) {
  return c.id != kNoId && c.stringId != kNoString &&
         (c.kind == ControlKind::Static || c.kind == ControlKind::GroupBox);
}

bool Inside(const ControlTemplate& inner, const ControlTemplate& outer) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.cx <= outer.x + outer.cx &&
         inner.y + inner.cy <= outer.y + outer.cy;
}

}  // namespace

std::vector<int> NamingControls(const DialogTemplate& dialog, int id) {
  const auto& controls = dialog.controls;
  auto self = std::find_if(controls.begin(), controls.end(),
                           [id](const ControlTemplate& c) { return c.id == id; });
  if (id == kNoId || self == controls.end()) return {};
  auto labelBefore = [&controls](auto control) {
    return control != controls.begin() && (control - 1)->kind == ControlKind::Static &&
           IsNamingText(*(control - 1));
  };
  std::vector<int> naming;
  if (self->kind == ControlKind::RadioButton) {
    auto first = self;
    while (first != controls.begin() && !(first->style & kGroupStart)) --first;
    if (labelBefore(first)) naming.push_back((first - 1)->id);
  } else if (self->kind == ControlKind::Trackbar) {
    // The innermost group: the last one before the slider that holds it.
    for (auto it = std::make_reverse_iterator(self); it != controls.rend(); ++it) {
      if (it->kind == ControlKind::GroupBox && Inside(*self, *it)) {
        if (IsNamingText(*it)) naming.push_back(it->id);
        break;
      }
    }
    if (labelBefore(self)) naming.push_back((self - 1)->id);
  }
  return naming;
}
