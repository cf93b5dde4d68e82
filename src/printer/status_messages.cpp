#include "printer/status_messages.h"

#include <array>
#include <cstring>
#include <iterator>

#include "common/string_table.h"
#include "string_ids.h"

namespace {

constexpr PanelLine kNoLine = {0, 0, false};

constexpr PanelLine Text(int stringId) { return {stringId, 0, false}; }

struct SingleCode {
  const char* code;
  int line1;
  int line2;  // 0: one line
};

constexpr SingleCode kSingleCodes[] = {
    // Printer states and operator actions in progress.
    {"000000", 233, 0},  // READY
    {"000001", 234, 0},  // Receiving
    {"000002", 235, 0},  // Printing
    {"001000", 236, 0},  // Energy Save
    {"002000", 17, 0},   // Change Toner
    {"002001", 117, 0},  // P/H Clean Up
    {"002002", 18, 0},   // Eject All Toner
    // Jams, covers, imaging cartridge and errors.
    {"200100", 284, 287},  // TRANSFER JAM / OPEN TOP COVER
    {"200200", 285, 287},  // FUSER JAM / OPEN TOP COVER
    {"200300", 286, 287},  // OUTPUT JAM / OPEN TOP COVER
    {"201000", 288, 289},  // TOP COVER OPEN / CLOSE TOP COVER
    {"203001", 308, 306},  // I/C LIFE END / REPLACE I/C
    {"205000", 312, 326},  // PROCESS ERROR-BELT / CLEAR BY COVER
    {"205001", 313, 326},  // PROCESS ERROR-IDC / CLEAR BY COVER
    {"207000", 317, 318},  // OUTPUT TRAY FULL / REMOVE PAPER
    {"209000", 319, 0},    // MEMORY FULL
    {"301000", 321, 0},    // I/C LOW
    {"303000", 322, 0},    // T/C MEMORY ERROR
    {"304000", 323, 0},    // VIDEO I/F ERROR
    {"305000", 324, 0},    // PROCESS CAUTION-IDC
    {"307000", 307, 0},    // I/C END
};

// Machine trouble "1000nn": the service call text of nn; 100005 is unknown.
constexpr int kServiceCallIds[] = {237, 238, 239, 240, 241, 0,   242, 243, 244, 245, 246, 247,
                                   248, 249, 250, 251, 252, 253, 254, 255, 256, 257, 258, 1202};

// Paper families "2000nn" and "2060nn": the paper size suffix of nn.
constexpr int kPaperSizeSuffixIds[] = {259, 260, 263, 264, 265, 266, 267, 268, 269, 270, 271, 272,
                                       273, 274, 275, 276, 277, 278, 279, 280, 281, 282, 283};

// Toner families: the strings of each colour mask 1 to F (bit 0 yellow,
// 1 magenta, 2 cyan, 3 black). Each is a string of its own, not composed.
struct ColourMaskStrings {
  int letters;
  int check;
  int change;
  int tonerOut;
  int tonerLow;
  int incorrectToner;
};
constexpr ColourMaskStrings kColourMaskStrings[] = {
    {291, 346, 372, 1221, 1206, 1236},  // 1 Y
    {292, 347, 373, 1222, 1207, 1237},  // 2 M
    {295, 350, 376, 1225, 1210, 1240},  // 3 YM
    {293, 348, 374, 1223, 1208, 1238},  // 4 C
    {296, 351, 377, 1226, 1211, 1241},  // 5 YC
    {300, 368, 383, 1232, 1217, 1247},  // 6 MC
    {298, 353, 379, 1228, 1213, 1243},  // 7 YMC
    {294, 349, 375, 1224, 1209, 1239},  // 8 K
    {297, 352, 378, 1227, 1212, 1242},  // 9 YK
    {301, 369, 384, 1233, 1218, 1248},  // A MK
    {304, 365, 380, 1229, 1214, 1244},  // B YMK
    {303, 371, 386, 1235, 1220, 1250},  // C CK
    {305, 366, 381, 1230, 1215, 1245},  // D YCK
    {302, 370, 385, 1234, 1219, 1249},  // E MCK
    {299, 367, 382, 1231, 1216, 1246},  // F YMCK
};

struct BuiltTable {
  std::array<StatusTableEntry, kStatusTableSize> entries{};
  int count = 0;

  constexpr void Add(const char* prefix, char last1, char last2, PanelMessage message) {
    StatusTableEntry& entry = entries[count++];
    int i = 0;
    for (; prefix[i] != '\0'; ++i) entry.code[i] = prefix[i];
    if (last1 != '\0') entry.code[i++] = last1;
    if (last2 != '\0') entry.code[i++] = last2;
    entry.code[i] = '\0';
    entry.message = message;
  }
};

constexpr char DecimalDigit(int value) { return static_cast<char>('0' + value); }
constexpr char HexDigit(int value) {
  return static_cast<char>(value < 10 ? '0' + value : 'A' + value - 10);
}

constexpr BuiltTable BuildTable() {
  BuiltTable table;
  for (const SingleCode& single : kSingleCodes) {
    table.Add(single.code, '\0', '\0',
              {Text(single.line1), single.line2 ? Text(single.line2) : kNoLine});
  }
  for (int nn = 0; nn < static_cast<int>(std::size(kServiceCallIds)); ++nn) {
    if (kServiceCallIds[nn] == 0) continue;
    table.Add("1000", DecimalDigit(nn / 10), DecimalDigit(nn % 10),
              {Text(kTextMachineTrouble), Text(kServiceCallIds[nn])});
  }
  for (int nn = 0; nn < static_cast<int>(std::size(kPaperSizeSuffixIds)); ++nn) {
    const int suffix = kPaperSizeSuffixIds[nn];
    table.Add("2000", DecimalDigit(nn / 10), DecimalDigit(nn % 10),
              {Text(kTextCheckTrayPaper), {kTextLoadPaper, suffix, false}});
    table.Add("2060", DecimalDigit(nn / 10), DecimalDigit(nn % 10),
              {Text(kTextPaperSizeError), {kTextResetPaper, suffix, false}});
  }
  for (int m = 1; m <= 15; ++m) {
    const ColourMaskStrings& s = kColourMaskStrings[m - 1];
    const char digit = HexDigit(m);
    table.Add("20200", digit, '\0', {Text(kTextNotInstalledToner), Text(s.check)});
    table.Add("20400", digit, '\0', {Text(kTextTonerOut), Text(s.change)});
    table.Add("21000", digit, '\0', {Text(kTextTonerLifeEnd), Text(s.change)});
    table.Add("30000", digit, '\0', {Text(s.tonerOut), kNoLine});
    table.Add("30200", digit, '\0', {Text(s.tonerLow), kNoLine});
    table.Add("30600", digit, '\0', {{kTextWrongToner, s.letters, true}, kNoLine});
    table.Add("30800", digit, '\0', {Text(s.incorrectToner), Text(kTextPressClearKey)});
  }
  return table;
}

constexpr BuiltTable kTable = BuildTable();
static_assert(kTable.count == kStatusTableSize, "the status table lists 195 codes");

}  // namespace

std::span<const StatusTableEntry> StatusMessageTable() { return kTable.entries; }

std::optional<PanelMessage> LookupStatusMessage(const char code[kStatusCodeLength]) {
  for (const StatusTableEntry& entry : kTable.entries) {
    if (std::memcmp(entry.code, code, kStatusCodeLength) == 0) return entry.message;
  }
  return std::nullopt;
}

std::string CutToPanelLine(std::string_view text) {
  int characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    if (startsCharacter && ++characters > kPanelLineMax) return std::string(text.substr(0, i));
  }
  return std::string(text);
}

std::string ComposePanelLine(const PanelLine& line) {
  if (line.stringId == 0) return {};
  std::string text = TextOrEmpty(line.stringId);
  if (line.suffixId != 0) {
    if (line.blankBetween) text += ' ';
    text += TextOrEmpty(line.suffixId);
  }
  return CutToPanelLine(text);
}
