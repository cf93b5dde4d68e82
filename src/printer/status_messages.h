// The status message table: for each known six-character status code, the
// one or two lines the panel display shows, as string ids of the string
// table.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "printer/status_list.h"

// A display line holds at most this many characters; longer texts are cut.
inline constexpr int kPanelLineMax = 59;

// One display line: string stringId, then, for composed lines, string
// suffixId (directly, or after one blank when blankBetween is set).
// stringId 0 is no line; suffixId 0 is no suffix.
struct PanelLine {
  int stringId;
  int suffixId;
  bool blankBetween;
};

struct PanelMessage {
  PanelLine line1;
  PanelLine line2;  // stringId 0 when the message has one line
};

struct StatusTableEntry {
  char code[kStatusCodeLength + 1];  // six characters and a terminator
  PanelMessage message;
};

inline constexpr int kStatusTableSize = 195;

// Every known code with its message.
std::span<const StatusTableEntry> StatusMessageTable();

// The message of a code: exact and case-sensitive on all six characters;
// a code shorter than six (holding a zero byte) matches nothing.
std::optional<PanelMessage> LookupStatusMessage(const char code[kStatusCodeLength]);

// The text of a line in the current language, cut to kPanelLineMax
// characters; empty for no line.
std::string ComposePanelLine(const PanelLine& line);

// The first kPanelLineMax characters (not bytes) of a UTF-8 text, so that a
// cut never splits a character.
std::string CutToPanelLine(std::string_view text);
