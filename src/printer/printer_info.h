// The printer's information pages and counter records as the program keeps
// them while a command uses them: four blocks of 32-byte text fields, one
// field per key of the page, and two records of 32-bit counter values.
// PrinterState holds one pointer to each block; a pointer is null while no
// command uses that block.
#pragma once

#include <cstdint>
#include <span>

#include "device/request_catalogue.h"
#include "printer/printer_state.h"

// A field holds at most 31 characters and its NUL.
inline constexpr int kInfoFieldSize = 32;

inline constexpr int kTonerPageNumber = 1;
inline constexpr int kCountPageNumber = 2;
inline constexpr int kMachinePageNumber = 3;
inline constexpr int kAdjustPageNumber = 4;

// Page 1: supplies and coverage. The enumerators are the page's keys.
enum TonerField : int {
  CONSUMETCSTATEC, CONSUMETCSTATEM, CONSUMETCSTATEY, CONSUMETCSTATEK,
  CONSUMEICSTATE,
  CONSUMETCREMAINC, CONSUMETCREMAINM, CONSUMETCREMAINY, CONSUMETCREMAINK,
  CONSUMEICREMAIN,
  CONSUMETCTYPEC, CONSUMETCTYPEM, CONSUMETCTYPEY, CONSUMETCTYPEK,
  CONSUMEICTYPE,
  COVERAGETOTALCOLOR, COVERAGETOTALMONO, COVERAGETOTAL,
  COVERAGECOLOR, COVERAGEMONO,
  COVERAGEAVERAGEC, COVERAGEAVERAGEM, COVERAGEAVERAGEY, COVERAGEAVERAGEK,
  COVERAGELASTC, COVERAGELASTM, COVERAGELASTY, COVERAGELASTK,
  TONERLOWMSG,
};
inline constexpr int kTonerFields = TONERLOWMSG + 1;

// Page 2: counters.
enum CountField : int {
  COUNTTOTAL, COUNTCOLORPRINT, COUNTMONOPRINT, COUNTTRAY1,
  COUNTSIZEA4, COUNTSIZEB5, COUNTSIZEA5, COUNTSIZELEGAL, COUNTSIZELETTER,
  COUNTSIZEOTHERS,
  COUNTMEDIAPLAIN, COUNTMEDIATHICK, COUNTMEDIATHICK2, COUNTMEDIAENVELOPE,
  COUNTMEDIALETTERHEAD, COUNTMEDIAPOSTCARD, COUNTMEDIALABELS,
};
inline constexpr int kCountFields = COUNTMEDIALABELS + 1;

// Page 3: machine settings and firmware versions.
enum MachineField : int {
  MACHINESERIAL, MACHINEENERGYSAVE, MACHINEAUTOCONTO, MACHINETONEREMPTY,
  MACHINEVERSIONENGINE, MACHINEVERSIONFW, MACHINEVERSIONBOOT,
};
inline constexpr int kMachineFields = MACHINEVERSIONBOOT + 1;

// Page 4: adjustments, kept as the printer sent them (biased numbers).
enum AdjustField : int {
  ADJTOPPLAIN, ADJTOPTHICK, ADJTOPENVELOPE, ADJLEFTFRONT, ADJLEFTBACK,
  ADJIMAGE,
  ADJTRANSPLAINFRONT, ADJTRANSTHICK1, ADJTRANSTHICK2, ADJTRANSPOSTCARD,
  ADJTRANSENVELOPE, ADJTRANSLABEL, ADJTRANSPLAINBACK,
};
inline constexpr int kAdjustFields = ADJTRANSPLAINBACK + 1;

struct TonerPage {
  char field[kTonerFields][kInfoFieldSize];
};
struct CountPage {
  char field[kCountFields][kInfoFieldSize];
};
struct MachinePage {
  char field[kMachineFields][kInfoFieldSize];
};
struct AdjustPage {
  char field[kAdjustFields][kInfoFieldSize];
};

// Item k (from 1) comes from request REQ_READ_REPLACEMENT_COUNT + k - 1.
struct ReplacementCounts {
  std::int32_t item[kReplacementCountItems];
};
// Item k (from 1) comes from request REQ_READ_APPLICATION_COUNT + k - 1.
struct ApplicationCounts {
  std::int32_t item[kApplicationCountItems];
};

// Header lines of pages 1 to 3; page 4 has none.
inline constexpr char kTonerPageHeader[] = "@PJL INFO CONFIGTONER";
inline constexpr char kCountPageHeader[] = "@PJL INFO CONFIGCOUNT";
inline constexpr char kMachinePageHeader[] = "@PJL INFO CONFIGMACHINE";

// The key tables, in field order (index = enumerator).
inline constexpr const char* kTonerPageKeys[kTonerFields] = {
    "CONSUMETCSTATEC",  "CONSUMETCSTATEM",    "CONSUMETCSTATEY",
    "CONSUMETCSTATEK",  "CONSUMEICSTATE",     "CONSUMETCREMAINC",
    "CONSUMETCREMAINM", "CONSUMETCREMAINY",   "CONSUMETCREMAINK",
    "CONSUMEICREMAIN",  "CONSUMETCTYPEC",     "CONSUMETCTYPEM",
    "CONSUMETCTYPEY",   "CONSUMETCTYPEK",     "CONSUMEICTYPE",
    "COVERAGETOTALCOLOR", "COVERAGETOTALMONO", "COVERAGETOTAL",
    "COVERAGECOLOR",    "COVERAGEMONO",       "COVERAGEAVERAGEC",
    "COVERAGEAVERAGEM", "COVERAGEAVERAGEY",   "COVERAGEAVERAGEK",
    "COVERAGELASTC",    "COVERAGELASTM",      "COVERAGELASTY",
    "COVERAGELASTK",    "TONERLOWMSG",
};
inline constexpr const char* kCountPageKeys[kCountFields] = {
    "COUNTTOTAL",         "COUNTCOLORPRINT",      "COUNTMONOPRINT",
    "COUNTTRAY1",         "COUNTSIZEA4",          "COUNTSIZEB5",
    "COUNTSIZEA5",        "COUNTSIZELEGAL",       "COUNTSIZELETTER",
    "COUNTSIZEOTHERS",    "COUNTMEDIAPLAIN",      "COUNTMEDIATHICK",
    "COUNTMEDIATHICK2",   "COUNTMEDIAENVELOPE",   "COUNTMEDIALETTERHEAD",
    "COUNTMEDIAPOSTCARD", "COUNTMEDIALABELS",
};
inline constexpr const char* kMachinePageKeys[kMachineFields] = {
    "MACHINESERIAL",        "MACHINEENERGYSAVE", "MACHINEAUTOCONTO",
    "MACHINETONEREMPTY",    "MACHINEVERSIONENGINE", "MACHINEVERSIONFW",
    "MACHINEVERSIONBOOT",
};
inline constexpr const char* kAdjustPageKeys[kAdjustFields] = {
    "ADJTOPPLAIN",      "ADJTOPTHICK",        "ADJTOPENVELOPE",
    "ADJLEFTFRONT",     "ADJLEFTBACK",        "ADJIMAGE",
    "ADJTRANSPLAINFRONT", "ADJTRANSTHICK1",   "ADJTRANSTHICK2",
    "ADJTRANSPOSTCARD", "ADJTRANSENVELOPE",   "ADJTRANSLABEL",
    "ADJTRANSPLAINBACK",
};

// What the reader needs to know about one page.
struct InfoPageLayout {
  std::span<const char* const> keys;  // field i holds keys[i]
  const char* header;                 // nullptr: no header check
};

// The layout of page 1 to 4; nullptr for any other number.
const InfoPageLayout* FindInfoPageLayout(int page);

// The first field of the page's block, nullptr when the page number is
// unknown or its block is not allocated. Fields follow each other
// kInfoFieldSize bytes apart, in key-table order.
char* PageFields(PrinterState& state, int page);

// The text of one field; "" when the block is not allocated or the index is
// outside the page, so a consumer shows what an unreported value shows.
const char* PageField(const PrinterState& state, int page, int fieldIndex);

// Allocate zero-filled blocks, replacing (and freeing) any already set.
// A block that cannot be allocated stays null. Return 1 when every block
// was allocated, 0 otherwise.
int AllocatePageBlocks(PrinterState& state);     // the four text blocks
int AllocateCounterBlocks(PrinterState& state);  // the two counter records

// Frees every block that is set and nulls its pointer.
void ReleasePrinterInfo(PrinterState& state);
