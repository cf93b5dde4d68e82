#include "ui/dialog_template.h"

#include <algorithm>
#include <iterator>

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
    Group(1000, 1, 7, 5, 326, 120),  // holds the panel display
    Button(1001, 2, 10, 15, 50, 14),
    Button(1003, 3, 10, 58, 140, 14),
    Group(kNoId, kNoString, 10, 71, 160, 50),
    Button(1004, 6, 15, 78, 75, 14),
    FirstRadio(1007, 17, 15, 94, 145, 10),
    NextRadio(1008, 18, 15, 109, 145, 10),
    Group(kNoId, kNoString, 172, 71, 155, 50),
    Button(1204, 117, 175, 78, 110, 14),
    Text(1252, 1253, 175, 94, 148, 22),
    Group(1009, 7, 7, 125, 326, 95),
    Button(1010, 8, 10, 135, 50, 14),
    Text(1026, 118, 11, 155, 124, 11),
    FirstRadio(1024, 10, 140, 155, 65, 10),
    NextRadio(1025, 11, 223, 155, 65, 10),
    Text(1011, 9, 11, 170, 124, 11),
    FirstRadio(1012, 10, 140, 170, 65, 10),
    NextRadio(1013, 11, 223, 170, 65, 10),
    Text(1014, 220, 11, 185, 125, 11),
    List(1077, 140, 185, 48, 30),
    Text(1017, 14, 11, 200, 125, 11),
    FirstRadio(1018, 10, 140, 200, 65, 10),
    NextRadio(1019, 11, 223, 200, 65, 10),
    Group(1020, 15, 7, 220, 326, 30),
    Button(1021, 16, 10, 230, 50, 14),
    Text(1203, 1199, 67, 230, 220, 16),
};

// ---------------------------------------------------------------------------
// Configuration window (105) and its seven pages.

constexpr ControlTemplate kConfigWindowControls[] = {
    {ControlKind::TabControl, 1033, kNoString, 7, 7, 346, 260, kTabStop, 0},
    Button(1024, 330, 246, 269, 50, 14),
    Button(1023, 32, 303, 269, 50, 14),
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
    Line(1088, 157, kEdgeX, kHeadingY, kHeadingWidth),
    Line(1096, 2, kStatusX, kColumnTitleY, kStatusWidth),
    Line(1097, 158, kRemainingX, kColumnTitleY, kRemainingWidth),
    Line(1098, 159, kTypeX, kColumnTitleY, kTypeWidth),
    Line(1091, 160, kEdgeX, Row(kSupplyRowY, 0), kSupplyLabelWidth),
    Value(1099, kStatusX, Row(kSupplyRowY, 0), kStatusWidth),
    Value(1104, kRemainingX, Row(kSupplyRowY, 0), kRemainingWidth),
    Value(1109, kTypeX, Row(kSupplyRowY, 0), kTypeWidth),
    Line(1092, 161, kEdgeX, Row(kSupplyRowY, 1), kSupplyLabelWidth),
    Value(1100, kStatusX, Row(kSupplyRowY, 1), kStatusWidth),
    Value(1105, kRemainingX, Row(kSupplyRowY, 1), kRemainingWidth),
    Value(1110, kTypeX, Row(kSupplyRowY, 1), kTypeWidth),
    Line(1093, 162, kEdgeX, Row(kSupplyRowY, 2), kSupplyLabelWidth),
    Value(1101, kStatusX, Row(kSupplyRowY, 2), kStatusWidth),
    Value(1106, kRemainingX, Row(kSupplyRowY, 2), kRemainingWidth),
    Value(1111, kTypeX, Row(kSupplyRowY, 2), kTypeWidth),
    Line(1094, 163, kEdgeX, Row(kSupplyRowY, 3), kSupplyLabelWidth),
    Value(1102, kStatusX, Row(kSupplyRowY, 3), kStatusWidth),
    Value(1107, kRemainingX, Row(kSupplyRowY, 3), kRemainingWidth),
    Value(1112, kTypeX, Row(kSupplyRowY, 3), kTypeWidth),
    Line(1095, 164, kEdgeX, Row(kSupplyRowY, 4), kSupplyLabelWidth),
    Value(1103, kStatusX, Row(kSupplyRowY, 4), kStatusWidth),
    Value(1108, kRemainingX, Row(kSupplyRowY, 4), kRemainingWidth),
};

// Page 1, "Coverage Information" (109): two totals groups one under the
// other, then the two toner coverage groups side by side, then the note.
constexpr int kGroupTitleWidth = 150;
constexpr int kTotalsLabelWidth = 115;
constexpr int kTotalsValueX = 135, kTotalsValueWidth = 60;
constexpr int kFacesY = 20;        // group title, rows below
constexpr int kCoverageY = 80;     // group title, rows below
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
    Line(1090, 170, kEdgeX, kFacesY, kGroupTitleWidth),
    Line(1091, 172, kIndentX, Row(kFacesY, 1), kTotalsLabelWidth),
    Value(1094, kTotalsValueX, Row(kFacesY, 1), kTotalsValueWidth),
    Line(1092, 173, kIndentX, Row(kFacesY, 2), kTotalsLabelWidth),
    Value(1095, kTotalsValueX, Row(kFacesY, 2), kTotalsValueWidth),
    Line(1093, 174, kIndentX, Row(kFacesY, 3), kTotalsLabelWidth),
    Value(1096, kTotalsValueX, Row(kFacesY, 3), kTotalsValueWidth),
    Line(1097, 175, kEdgeX, kCoverageY, kGroupTitleWidth),
    Line(1098, 176, kIndentX, Row(kCoverageY, 1), kTotalsLabelWidth),
    Value(1100, kTotalsValueX, Row(kCoverageY, 1), kTotalsValueWidth),
    Line(1099, 177, kIndentX, Row(kCoverageY, 2), kTotalsLabelWidth),
    Value(1101, kTotalsValueX, Row(kCoverageY, 2), kTotalsValueWidth),
    // Current toner cartridge, left.
    Line(1107, 178, kEdgeX, kTonerGroupsY, 155),
    Line(1103, 180, kIndentX, Row(kTonerGroupsY, 1), kAverageLabelWidth),
    Value(1105, kIndentX + kAverageValueOffset, Row(kTonerGroupsY, 1), kAverageValueWidth),
    Line(1104, 181, kIndentX, Row(kTonerGroupsY, 2), kAverageLabelWidth),
    Value(1106, kIndentX + kAverageValueOffset, Row(kTonerGroupsY, 2), kAverageValueWidth),
    Line(1109, 182, kIndentX, Row(kTonerGroupsY, 3), kAverageLabelWidth),
    Value(1111, kIndentX + kAverageValueOffset, Row(kTonerGroupsY, 3), kAverageValueWidth),
    Line(1110, 183, kIndentX, Row(kTonerGroupsY, 4), kAverageLabelWidth),
    Value(1112, kIndentX + kAverageValueOffset, Row(kTonerGroupsY, 4), kAverageValueWidth),
    // Last job, right.
    Line(1108, 179, kRightGroupX, kTonerGroupsY, kGroupTitleWidth),
    Line(1113, 180, kRightIndentX, Row(kTonerGroupsY, 1), kAverageLabelWidth),
    Value(1115, kRightIndentX + kAverageValueOffset, Row(kTonerGroupsY, 1), kAverageValueWidth),
    Line(1114, 181, kRightIndentX, Row(kTonerGroupsY, 2), kAverageLabelWidth),
    Value(1116, kRightIndentX + kAverageValueOffset, Row(kTonerGroupsY, 2), kAverageValueWidth),
    Line(1117, 182, kRightIndentX, Row(kTonerGroupsY, 3), kAverageLabelWidth),
    Value(1119, kRightIndentX + kAverageValueOffset, Row(kTonerGroupsY, 3), kAverageValueWidth),
    Line(1118, 183, kRightIndentX, Row(kTonerGroupsY, 4), kAverageLabelWidth),
    Value(1120, kRightIndentX + kAverageValueOffset, Row(kTonerGroupsY, 4), kAverageValueWidth),
    Line(1251, 1205, kEdgeX, kNoteY, kNoteWidth),
};

// Page 2, "Counter" (106): three face counters, the tray group, then the two
// counter-record lines across the page. String 185 ends in blanks, which the
// label cuts off.
constexpr int kCounterRowY = 20;
constexpr int kCounterValueX = 105, kCounterValueWidth = 70;
constexpr int kCounterLineWidth = 295;

constexpr ControlTemplate kCounterControls[] = {
    Line(1113, 184, kEdgeX, kHeadingY, kHeadingWidth),
    Line(1114, 185, kEdgeX, Row(kCounterRowY, 0), 95),
    Value(1115, kCounterValueX, Row(kCounterRowY, 0), kCounterValueWidth),
    Line(1116, 186, kEdgeX, Row(kCounterRowY, 1), 95),
    Value(1117, kCounterValueX, Row(kCounterRowY, 1), kCounterValueWidth),
    Line(1190, 187, kEdgeX, Row(kCounterRowY, 2), 95),
    Value(1118, kCounterValueX, Row(kCounterRowY, 2), kCounterValueWidth),
    Line(1119, 188, kEdgeX, Row(kCounterRowY, 3), kGroupTitleWidth),
    Line(1120, 133, kIndentX, Row(kCounterRowY, 4), 85),
    Value(1122, kCounterValueX, Row(kCounterRowY, 4), kCounterValueWidth),
    Value(1121, kEdgeX, Row(kCounterRowY, 5), kCounterLineWidth),
    Value(1123, kEdgeX, Row(kCounterRowY, 6), kCounterLineWidth),
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
    Line(1125, 190, kEdgeX, kPaperGroupY, kGroupTitleWidth),
    Line(1127, 191, kIndentX, Row(kPaperGroupY, 1), kPaperLabelWidth),
    Value(1129, kSizeValueX, Row(kPaperGroupY, 1), kPaperValueWidth),
    Line(1128, 192, kIndentX, Row(kPaperGroupY, 2), kPaperLabelWidth),
    Value(1130, kSizeValueX, Row(kPaperGroupY, 2), kPaperValueWidth),
    Line(1131, 193, kIndentX, Row(kPaperGroupY, 3), kPaperLabelWidth),
    Value(1133, kSizeValueX, Row(kPaperGroupY, 3), kPaperValueWidth),
    Line(1132, 194, kIndentX, Row(kPaperGroupY, 4), kPaperLabelWidth),
    Value(1134, kSizeValueX, Row(kPaperGroupY, 4), kPaperValueWidth),
    Line(1135, 195, kIndentX, Row(kPaperGroupY, 5), kPaperLabelWidth),
    Value(1137, kSizeValueX, Row(kPaperGroupY, 5), kPaperValueWidth),
    Line(1136, 196, kIndentX, Row(kPaperGroupY, 6), kPaperLabelWidth),
    Value(1138, kSizeValueX, Row(kPaperGroupY, 6), kPaperValueWidth),
    Line(1126, 197, kRightGroupX, kPaperGroupY, kGroupTitleWidth),
    Line(1139, 124, kRightIndentX, Row(kPaperGroupY, 1), kPaperLabelWidth),
    Value(1141, kTypeValueX, Row(kPaperGroupY, 1), kPaperValueWidth),
    Line(1143, 128, kRightIndentX, Row(kPaperGroupY, 2), kPaperLabelWidth),
    Value(1145, kTypeValueX, Row(kPaperGroupY, 2), kPaperValueWidth),
    Line(1144, 129, kRightIndentX, Row(kPaperGroupY, 3), kPaperLabelWidth),
    Value(1146, kTypeValueX, Row(kPaperGroupY, 3), kPaperValueWidth),
    Line(1147, 126, kRightIndentX, Row(kPaperGroupY, 4), kPaperLabelWidth),
    Value(1149, kTypeValueX, Row(kPaperGroupY, 4), kPaperValueWidth),
    Line(1148, 198, kRightIndentX, Row(kPaperGroupY, 5), kPaperLabelWidth),
    Value(1150, kTypeValueX, Row(kPaperGroupY, 5), kPaperValueWidth),
    Line(1151, 130, kRightIndentX, Row(kPaperGroupY, 6), kPaperLabelWidth),
    Value(1153, kTypeValueX, Row(kPaperGroupY, 6), kPaperValueWidth),
    Line(1152, 131, kRightIndentX, Row(kPaperGroupY, 7), kPaperLabelWidth),
    Value(1154, kTypeValueX, Row(kPaperGroupY, 7), kPaperValueWidth),
};

// Page 4, "Machine Setting" (108): five rows.
constexpr int kMachineRowY = 20;
constexpr int kMachineLabelWidth = 110;
constexpr int kMachineValueX = 120, kMachineValueWidth = 85;

constexpr ControlTemplate kMachineControls[] = {
    Line(1139, 199, kEdgeX, kHeadingY, kHeadingWidth),
    Line(1140, 200, kEdgeX, Row(kMachineRowY, 0), kMachineLabelWidth),
    Value(1144, kMachineValueX, Row(kMachineRowY, 0), kMachineValueWidth),
    Line(1141, 201, kEdgeX, Row(kMachineRowY, 1), kMachineLabelWidth),
    Value(1145, kMachineValueX, Row(kMachineRowY, 1), kMachineValueWidth),
    Line(1017, 14, kEdgeX, Row(kMachineRowY, 2), kMachineLabelWidth),
    Value(1147, kMachineValueX, Row(kMachineRowY, 2), kMachineValueWidth),
    Line(1143, 9, kEdgeX, Row(kMachineRowY, 3), kMachineLabelWidth),
    Value(1148, kMachineValueX, Row(kMachineRowY, 3), kMachineValueWidth),
    Line(1146, 118, kEdgeX, Row(kMachineRowY, 4), kMachineLabelWidth),
    Value(1149, kMachineValueX, Row(kMachineRowY, 4), kMachineValueWidth),
};

// Page 5, "Firmware Version" (115): three rows.
constexpr int kFirmwareRowY = 20;
constexpr int kFirmwareLabelWidth = 60;
constexpr int kFirmwareValueX = 70, kFirmwareValueWidth = 85;

constexpr ControlTemplate kFirmwareControls[] = {
    Line(1149, 203, kEdgeX, kHeadingY, kHeadingWidth),
    Line(1150, 204, kEdgeX, Row(kFirmwareRowY, 0), kFirmwareLabelWidth),
    Value(1153, kFirmwareValueX, Row(kFirmwareRowY, 0), kFirmwareValueWidth),
    Line(1151, 205, kEdgeX, Row(kFirmwareRowY, 1), kFirmwareLabelWidth),
    Value(1154, kFirmwareValueX, Row(kFirmwareRowY, 1), kFirmwareValueWidth),
    Line(1152, 206, kEdgeX, Row(kFirmwareRowY, 2), kFirmwareLabelWidth),
    Value(1155, kFirmwareValueX, Row(kFirmwareRowY, 2), kFirmwareValueWidth),
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
    Line(1162, 123, kEdgeX, kAdjustGroupY, kAdjustTitleWidth),
    Line(1164, 124, kIndentX, Row(kAdjustGroupY, 1), kAdjustLabelWidth),
    Value(1165, kAdjustValueX, Row(kAdjustGroupY, 1), kAdjustValueWidth),
    Line(1166, 125, kIndentX, Row(kAdjustGroupY, 2), kAdjustLabelWidth),
    Value(1167, kAdjustValueX, Row(kAdjustGroupY, 2), kAdjustValueWidth),
    Line(1168, 126, kIndentX, Row(kAdjustGroupY, 3), kAdjustLabelWidth),
    Value(1169, kAdjustValueX, Row(kAdjustGroupY, 3), kAdjustValueWidth),
    Line(1170, 209, kEdgeX, kLeftAdjustY, kAdjustTitleWidth),
    Line(1171, 134, kIndentX, Row(kLeftAdjustY, 1), kAdjustLabelWidth),
    Value(1172, kAdjustValueX, Row(kLeftAdjustY, 1), kAdjustValueWidth),
    Line(1175, 136, kEdgeX, kImageRowY, kAdjustLabelWidth + (kIndentX - kEdgeX)),
    Value(1176, kAdjustValueX, kImageRowY, kAdjustValueWidth),
    // Spare fields of the page: they stay empty.
    Value(1173, kIndentX, kSpareRowY, kAdjustValueWidth),
    Value(1174, kAdjustValueX, kSpareRowY, kAdjustValueWidth),
    Value(1190, kRightIndentX, kSpareRowY, kAdjustValueWidth),
    Value(1191, kTransferValueX, kSpareRowY, kAdjustValueWidth),
    Value(1192, kTransferValueX, Row(kSpareRowY, 1), kAdjustValueWidth),
    // Transfer power, right.
    Line(1163, 213, kRightGroupX, kAdjustGroupY, kAdjustTitleWidth),
    Line(1178, 124, kRightIndentX, Row(kAdjustGroupY, 1), kTransferLabelWidth),
    Value(1179, kTransferValueX, Row(kAdjustGroupY, 1), kAdjustValueWidth),
    Line(1180, 128, kRightIndentX, Row(kAdjustGroupY, 2), kTransferLabelWidth),
    Value(1181, kTransferValueX, Row(kAdjustGroupY, 2), kAdjustValueWidth),
    Line(1182, 129, kRightIndentX, Row(kAdjustGroupY, 3), kTransferLabelWidth),
    Value(1183, kTransferValueX, Row(kAdjustGroupY, 3), kAdjustValueWidth),
    Line(1185, 130, kRightIndentX, Row(kAdjustGroupY, 4), kTransferLabelWidth),
    Value(1184, kTransferValueX, Row(kAdjustGroupY, 4), kAdjustValueWidth),
    Line(1186, 126, kRightIndentX, Row(kAdjustGroupY, 5), kTransferLabelWidth),
    Value(1187, kTransferValueX, Row(kAdjustGroupY, 5), kAdjustValueWidth),
    Line(1189, 131, kRightIndentX, Row(kAdjustGroupY, 6), kTransferLabelWidth),
    Value(1188, kTransferValueX, Row(kAdjustGroupY, 6), kAdjustValueWidth),
};

// ---------------------------------------------------------------------------
// Main window (110). The zero-size "&admin" label carries a fixed text the
// window sets itself, so it has no string id; its mnemonic leads to the
// password field after it.

constexpr ControlTemplate kMainWindowControls[] = {
    Button(1023, 32, 283, 244, 60, 14),
    {ControlKind::TabControl, 1024, kNoString, 7, 7, 340, 235, kTabStop, 0},
    {ControlKind::Static, 1195, kNoString, 80, 245, 0, 0, kAlignLeft, 0},
    {ControlKind::Edit, 1015, kNoString, 103, 243, 0, 0, kBorder | kAutoScroll | kTabStop, 10},
    Button(1025, 327, 215, 244, 60, 14),
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
    SliderLabel(1043, 124, 15, 28), Slider(1037, 15, 28), SliderValue(1038, 15, 28),
    SliderLabel(1044, 125, 15, 48), Slider(1039, 15, 48), SliderValue(1040, 15, 48),
    SliderLabel(1045, 126, 15, 68), Slider(1041, 15, 68), SliderValue(1042, 15, 68),
    Group(1046, 213, 12, 85, 140, 135),
    SliderLabel(1047, 124, 15, 107), Slider(1048, 15, 107), SliderValue(1049, 15, 107),
    SliderLabel(1050, 128, 15, 127), Slider(1051, 15, 127), SliderValue(1052, 15, 127),
    SliderLabel(1053, 129, 15, 147), Slider(1054, 15, 147), SliderValue(1055, 15, 147),
    SliderLabel(1056, 130, 15, 167), Slider(1057, 15, 167), SliderValue(1058, 15, 167),
    SliderLabel(1059, 126, 15, 187), Slider(1060, 15, 187), SliderValue(1061, 15, 187),
    SliderLabel(1062, 131, 15, 207), Slider(1063, 15, 207), SliderValue(1064, 15, 207),
    Group(1065, 132, 171, 5, 152, 75),
    SliderLabel(1066, 134, 176, 28), Slider(1067, 176, 28), SliderValue(1068, 176, 28),
    Group(1094, 224, 171, 85, 152, 50),
    Line(1071, 219, 175, 98, kServiceListLabelWidth),
    List(1070, 272, 96, kListWidth, kListHeight),
    Line(1014, 12, 175, 118, kServiceListLabelWidth),
    List(1072, 272, 116, kListWidth, kListHeight),
    Group(1092, kNoString, 171, 140, 152, 45),
    Line(1078, 221, 175, 150, kServiceListLabelWidth),
    List(1077, 272, 148, kListWidth, kListHeight),
    Line(1074, 136, 175, 170, kServiceListLabelWidth),
    List(1069, 272, 168, kListWidth, kListHeight),
    Button(1254, 1255, 170, 190, 130, 14),
    Button(1091, 222, 44, 235, 80, 14),
    Button(1093, 223, 130, 235, 80, 14),
    Button(1083, 146, 215, 235, 55, 14),
    Button(1084, 147, 275, 235, 55, 14),
};

// ---------------------------------------------------------------------------
// Service mode page (112).

constexpr ControlTemplate kServiceModeControls[] = {
    Group(1070, 137, 10, 7, 318, 45),
    CheckBox(1071, 138, 18, 20, 110, 8),
    CheckBox(1072, 139, 18, 35, 110, 8),
    Group(1073, 140, 12, 60, 155, 75),
    Line(1074, 124, 20, 75, 80),
    List(1077, 105, 75, kListWidth, kListHeight),
    Line(1075, 125, 20, 95, 80),
    List(1078, 105, 95, kListWidth, kListHeight),
    Line(1076, 126, 20, 115, 80),
    List(1079, 105, 115, kListWidth, kListHeight),
    Group(kNoId, kNoString, 12, 140, 155, 25),
    Button(1191, 142, 15, 147, 90, 14),
    Group(1082, 143, 12, 170, 155, 50),
    Button(1192, 144, 15, 180, 90, 14),
    Button(1193, 145, 15, 200, 90, 14),
    Group(1194, kNoString, 188, 60, 140, 160),
    Line(1080, 226, 207, 70, 111),
    Text(1081, kNoString, 207, 80, 80, 10),
    Line(1083, 227, 207, 95, 110),
    Text(1086, kNoString, 207, 105, 80, 10),
    Line(1108, 388, 207, 120, 110),
    Text(1109, kNoString, 207, 130, 80, 10),
    Line(1158, 144, 207, 145, 110),
    Text(1160, kNoString, 207, 155, 80, 10),
    Line(1157, 145, 207, 170, 110),
    Text(1159, kNoString, 207, 180, 80, 10),
    Line(1114, 389, 207, 195, 110),
    Text(1115, kNoString, 207, 205, 80, 10),
    Button(1084, 146, 215, 235, 55, 14),
    Button(1085, 147, 272, 235, 55, 14),
};

// ---------------------------------------------------------------------------
// About box (117). Its two texts are constants of the program, set by the
// box itself.

constexpr ControlTemplate kAboutControls[] = {
    {ControlKind::Static, 1196, kNoString, 10, 14, 165, 13, kAlignCenter, 0},
    {ControlKind::Static, 1197, kNoString, 10, 30, 165, 13, kAlignCenter, 0},
    Button(1023, 32, 67, 74, 50, 14),
};

// ---------------------------------------------------------------------------

constexpr const char* kFont = "Tahoma";
constexpr int kPageWidth = 340, kPageHeight = 260;
constexpr int kConfigPageWidth = 325, kConfigPageHeight = 225;

constexpr DialogTemplate kPanelPage = {kPanelPageTemplate, kPageWidth, kPageHeight, kFont, 9,
                                       kChildPage | kDrawsItself, kPanelControls};
constexpr DialogTemplate kConfigWindow = {kConfigWindowTemplate, 360, 290, kFont, 9,
                                          kCaption | kSystemMenu | kModalFrame,
                                          kConfigWindowControls};
constexpr DialogTemplate kConfigCounter = {kConfigCounterTemplate, kConfigPageWidth,
                                           kConfigPageHeight, kFont, 9, kChildPage,
                                           kCounterControls};
constexpr DialogTemplate kConfigSupplies = {kConfigSuppliesTemplate, kConfigPageWidth,
                                            kConfigPageHeight, kFont, 9, kChildPage,
                                            kSuppliesControls};
constexpr DialogTemplate kConfigMachine = {kConfigMachineTemplate, kConfigPageWidth,
                                           kConfigPageHeight, kFont, 9, kChildPage,
                                           kMachineControls};
constexpr DialogTemplate kConfigCoverage = {kConfigCoverageTemplate, kConfigPageWidth,
                                            kConfigPageHeight, kFont, 9, kChildPage,
                                            kCoverageControls};
constexpr DialogTemplate kMainWindow = {kMainWindowTemplate, 350, 265, kFont, 10,
                                        kCaption | kSystemMenu, kMainWindowControls};
constexpr DialogTemplate kUserServicePage = {kUserServiceTemplate, kPageWidth, kPageHeight,
                                             kFont, 9, kChildPage, kUserServiceControls};
constexpr DialogTemplate kServiceModePage = {kServiceModeTemplate, kPageWidth, kPageHeight,
                                             kFont, 9, kChildPage, kServiceModeControls};
constexpr DialogTemplate kConfigPaper = {kConfigPaperTemplate, kConfigPageWidth,
                                         kConfigPageHeight, kFont, 9, kChildPage,
                                         kPaperControls};
constexpr DialogTemplate kConfigAdjustment = {kConfigAdjustmentTemplate, kConfigPageWidth,
                                              kConfigPageHeight, kFont, 9, kChildPage,
                                              kAdjustmentControls};
constexpr DialogTemplate kConfigFirmware = {kConfigFirmwareTemplate, kConfigPageWidth,
                                            kConfigPageHeight, kFont, 9, kChildPage,
                                            kFirmwareControls};
constexpr DialogTemplate kAbout = {kAboutTemplate, 187, 95, kFont, 9,
                                   kModalFrame | kDialogFrame, kAboutControls};

// In ascending template id.
constexpr const DialogTemplate* kAllTemplates[] = {
    &kPanelPage,      &kConfigWindow,     &kConfigCounter,   &kConfigSupplies, &kConfigMachine,
    &kConfigCoverage, &kMainWindow,       &kUserServicePage, &kServiceModePage, &kConfigPaper,
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
