// String ids that several windows share.
#pragma once

enum SharedStringId : int {
  kTextProgramName = 1,           // "Vantrel"
  kTextCommandSent = 21,          // "Command is sent successfully"
  kTextEjectSent = 22,            // "Command is sent successfully" (its own entry)
  kTextCalibrationSent = 23,      // "Send Calibration command to machine successfully"
  kTextSetDefaultSent = 24,       // "Send Set Default command to machine successfully"
  kTextSendFailed = 25,           // "Send command to F/W is failed"
  kTextOpenUsbFailed = 26,        // "Open USB is failed"
  kTextNotCompatible = 29,        // "Not compatible commands"
  kTextClose = 32,                // "Close"
  kTextOn = 10,                   // "On"
  kTextOff = 11,                  // "Off"
  kTextAbout = 327,               // "About"
  kTextExportFailed = 2000,       // the configuration could not be saved
};
