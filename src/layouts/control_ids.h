// The ids of the controls the program refers to, one enum a template; the
// template data (dialog_templates.cpp) places each control by these names,
// so a control's number is written here and nowhere else. Labels no code
// refers to keep their plain numbers in the template data.
#pragma once

// Panel page.
enum PanelControl : int {
  kPanelDisplayGroup = 1000,
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
  kPanelCalibrationNote = 1203,
};

// Configuration window.
enum ConfigWindowControl : int {
  kConfigTabControl = 1033,
  kConfigCloseButton = 1023,
  kConfigSaveButton = 1024,
};

// Supplies Status page.
enum SuppliesControl : int {
  kSuppliesHeading = 1088,
  kSuppliesCyanLabel = 1091,
  kSuppliesMagentaLabel = 1092,
  kSuppliesYellowLabel = 1093,
  kSuppliesBlackLabel = 1094,
  kSuppliesImagingLabel = 1095,
  kSuppliesCyanStatus = 1099,
  kSuppliesMagentaStatus = 1100,
  kSuppliesYellowStatus = 1101,
  kSuppliesBlackStatus = 1102,
  kSuppliesImagingStatus = 1103,
  kSuppliesCyanRemaining = 1104,
  kSuppliesMagentaRemaining = 1105,
  kSuppliesYellowRemaining = 1106,
  kSuppliesBlackRemaining = 1107,
  kSuppliesImagingRemaining = 1108,
  kSuppliesCyanType = 1109,
  kSuppliesMagentaType = 1110,
  kSuppliesYellowType = 1111,
  kSuppliesBlackType = 1112,
};

// Coverage Information page.
enum CoverageControl : int {
  kCoverageFacesTitle = 1090,
  kCoverageColorFacesLabel = 1091,
  kCoverageMonoFacesLabel = 1092,
  kCoverageTotalFacesLabel = 1093,
  kCoverageColorFaces = 1094,
  kCoverageMonoFaces = 1095,
  kCoverageTotalFaces = 1096,
  kCoverageTitle = 1097,
  kCoverageColorLabel = 1098,
  kCoverageMonoLabel = 1099,
  kCoverageColor = 1100,
  kCoverageMono = 1101,
  kCoverageCurrentTitle = 1107,
  kCoverageCurrentCyanLabel = 1103,
  kCoverageCurrentMagentaLabel = 1104,
  kCoverageCurrentYellowLabel = 1109,
  kCoverageCurrentBlackLabel = 1110,
  kCoverageCurrentCyan = 1105,
  kCoverageCurrentMagenta = 1106,
  kCoverageCurrentYellow = 1111,
  kCoverageCurrentBlack = 1112,
  kCoverageLastJobTitle = 1108,
  kCoverageLastJobCyanLabel = 1113,
  kCoverageLastJobMagentaLabel = 1114,
  kCoverageLastJobYellowLabel = 1117,
  kCoverageLastJobBlackLabel = 1118,
  kCoverageLastJobCyan = 1115,
  kCoverageLastJobMagenta = 1116,
  kCoverageLastJobYellow = 1119,
  kCoverageLastJobBlack = 1120,
};

// Counter page.
enum CounterControl : int {
  kCounterHeading = 1113,
  kCounterTotalLabel = 1114,
  kCounterTotal = 1115,
  kCounterColorLabel = 1116,
  kCounterColor = 1117,
  kCounterMonoLabel = 1190,
  kCounterMono = 1118,
  kCounterTrayTitle = 1119,
  kCounterTray1Label = 1120,
  kCounterTray1 = 1122,
  kCounterReplacements = 1121,
  kCounterApplications = 1123,
};

// Paper page.
enum PaperControl : int {
  kPaperSizeTitle = 1125,
  kPaperA4Label = 1127,
  kPaperA4 = 1129,
  kPaperB5Label = 1128,
  kPaperB5 = 1130,
  kPaperA5Label = 1131,
  kPaperA5 = 1133,
  kPaperLegalLabel = 1132,
  kPaperLegal = 1134,
  kPaperLetterLabel = 1135,
  kPaperLetter = 1137,
  kPaperOtherSizesLabel = 1136,
  kPaperOtherSizes = 1138,
  kPaperTypeTitle = 1126,
  kPaperPlainLabel = 1139,
  kPaperPlain = 1141,
  kPaperThick1Label = 1143,
  kPaperThick1 = 1145,
  kPaperThick2Label = 1144,
  kPaperThick2 = 1146,
  kPaperEnvelopeLabel = 1147,
  kPaperEnvelope = 1149,
  kPaperLetterheadLabel = 1148,
  kPaperLetterhead = 1150,
  kPaperPostcardLabel = 1151,
  kPaperPostcard = 1153,
  kPaperLabelsLabel = 1152,
  kPaperLabels = 1154,
};

// Machine Setting page.
enum MachineControl : int {
  kMachineHeading = 1139,
  kMachineSerialLabel = 1140,
  kMachineSerial = 1144,
  kMachineEnergySaveLabel = 1141,
  kMachineEnergySave = 1145,
  kMachineAutoContinueLabel = 1017,
  kMachineAutoContinue = 1147,
  kMachineTonerOutStopLabel = 1143,
  kMachineTonerOutStop = 1148,
  kMachineTonerLowLabel = 1146,
  kMachineTonerLow = 1149,
};

// Firmware Version page.
enum FirmwareControl : int {
  kFirmwareHeading = 1149,
  kFirmwareEngineLabel = 1150,
  kFirmwareEngine = 1153,
  kFirmwareBootLabel = 1151,
  kFirmwareBoot = 1154,
  kFirmwareControllerLabel = 1152,
  kFirmwareController = 1155,
};

// Adjustment page.
enum AdjustmentControl : int {
  kAdjustTopTitle = 1162,
  kAdjustTopPlainLabel = 1164,
  kAdjustTopPlain = 1165,
  kAdjustTopThickLabel = 1166,
  kAdjustTopThick = 1167,
  kAdjustTopEnvelopeLabel = 1168,
  kAdjustTopEnvelope = 1169,
  kAdjustLeftTitle = 1170,
  kAdjustLeftTray1Label = 1171,
  kAdjustLeftTray1 = 1172,
  kAdjustImageLabel = 1175,
  kAdjustImage = 1176,
  kAdjustTransferTitle = 1163,
  kAdjustTransferPlainLabel = 1178,
  kAdjustTransferPlain = 1179,
  kAdjustTransferThick1Label = 1180,
  kAdjustTransferThick1 = 1181,
  kAdjustTransferThick2Label = 1182,
  kAdjustTransferThick2 = 1183,
  kAdjustTransferPostcardLabel = 1185,
  kAdjustTransferPostcard = 1184,
  kAdjustTransferEnvelopeLabel = 1186,
  kAdjustTransferEnvelope = 1187,
  kAdjustTransferLabelsLabel = 1189,
  kAdjustTransferLabels = 1188,
};

// Main window.
enum MainWindowControl : int {
  kMainCloseButton = 1023,
  kMainTab = 1024,
  kMainAboutButton = 1025,
  kPasswordLabel = 1195,
  kPasswordField = 1015,
};

// User service page.
enum UserServiceControl : int {
  kTopPlainSlider = 1037,
  kTopPlainValue = 1038,
  kTopThickSlider = 1039,
  kTopThickValue = 1040,
  kTopEnvelopeSlider = 1041,
  kTopEnvelopeValue = 1042,
  kTransferPlainSlider = 1048,
  kTransferPlainValue = 1049,
  kTransferThick1Slider = 1051,
  kTransferThick1Value = 1052,
  kTransferThick2Slider = 1054,
  kTransferThick2Value = 1055,
  kTransferPostcardSlider = 1057,
  kTransferPostcardValue = 1058,
  kTransferEnvelopeSlider = 1060,
  kTransferEnvelopeValue = 1061,
  kTransferLabelsSlider = 1063,
  kTransferLabelsValue = 1064,
  kLeftTray1Slider = 1067,
  kLeftTray1Value = 1068,
  kUserEnergySaveLabel = 1014,
  kGdiTimeoutList = 1070,
  kUserEnergySaveList = 1072,
  kFlickerList = 1077,
  kImageAdjList = 1069,
  kImageRefreshButton = 1254,
  kPattern1Button = 1091,
  kPattern2Button = 1093,
  kUserDownloadButton = 1083,
  kUserUploadButton = 1084,
};

// Service mode page.
enum ServiceModeControl : int {
  kTonerLowBox = 1071,
  kIcLowBox = 1072,
  kTemperaturePlainList = 1077,
  kTemperatureThickList = 1078,
  kTemperatureEnvelopeList = 1079,
  kBkClearButton = 1191,
  kFuserUnitButton = 1192,
  kTransferRollerButton = 1193,
  kJamCounterField = 1081,
  kTroubleCounterField = 1086,
  kTransferBeltCounterField = 1109,
  kDrumUnitCounterField = 1115,
  kFuserUnitCounterField = 1160,
  kTransferRollerCounterField = 1159,
  kServiceDownloadButton = 1084,
  kServiceUploadButton = 1085,
};

// About box.
enum AboutControl : int {
  kAboutProductLine = 1196,
  kAboutVersion = 1197,
  kAboutCloseButton = 1023,
};
