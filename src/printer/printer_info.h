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

// The keys of each page, in field order: each list gives the page's field
// enum (the enumerator is the key) and its key table, so the two cannot
// drift apart.

// The lists keep their keys grouped as the pages show them.
// clang-format off
// Page 1: supplies and coverage.
#define VANTREL_TONER_PAGE_KEYS(KEY)                                                         \
  KEY(CONSUMETCSTATEC) KEY(CONSUMETCSTATEM) KEY(CONSUMETCSTATEY) KEY(CONSUMETCSTATEK)        \
  KEY(CONSUMEICSTATE)                                                                        \
  KEY(CONSUMETCREMAINC) KEY(CONSUMETCREMAINM) KEY(CONSUMETCREMAINY) KEY(CONSUMETCREMAINK)    \
  KEY(CONSUMEICREMAIN)                                                                       \
  KEY(CONSUMETCTYPEC) KEY(CONSUMETCTYPEM) KEY(CONSUMETCTYPEY) KEY(CONSUMETCTYPEK)            \
  KEY(CONSUMEICTYPE)                                                                         \
  KEY(COVERAGETOTALCOLOR) KEY(COVERAGETOTALMONO) KEY(COVERAGETOTAL)                          \
  KEY(COVERAGECOLOR) KEY(COVERAGEMONO)                                                       \
  KEY(COVERAGEAVERAGEC) KEY(COVERAGEAVERAGEM) KEY(COVERAGEAVERAGEY) KEY(COVERAGEAVERAGEK)    \
  KEY(COVERAGELASTC) KEY(COVERAGELASTM) KEY(COVERAGELASTY) KEY(COVERAGELASTK)                \
  KEY(TONERLOWMSG)

// Page 2: counters.
#define VANTREL_COUNT_PAGE_KEYS(KEY)                                                         \
  KEY(COUNTTOTAL) KEY(COUNTCOLORPRINT) KEY(COUNTMONOPRINT) KEY(COUNTTRAY1)                   \
  KEY(COUNTSIZEA4) KEY(COUNTSIZEB5) KEY(COUNTSIZEA5) KEY(COUNTSIZELEGAL) KEY(COUNTSIZELETTER) \
  KEY(COUNTSIZEOTHERS)                                                                       \
  KEY(COUNTMEDIAPLAIN) KEY(COUNTMEDIATHICK) KEY(COUNTMEDIATHICK2) KEY(COUNTMEDIAENVELOPE)    \
  KEY(COUNTMEDIALETTERHEAD) KEY(COUNTMEDIAPOSTCARD) KEY(COUNTMEDIALABELS)

// Page 3: machine settings and firmware versions.
#define VANTREL_MACHINE_PAGE_KEYS(KEY)                                                       \
  KEY(MACHINESERIAL) KEY(MACHINEENERGYSAVE) KEY(MACHINEAUTOCONTO) KEY(MACHINETONEREMPTY)     \
  KEY(MACHINEVERSIONENGINE) KEY(MACHINEVERSIONFW) KEY(MACHINEVERSIONBOOT)

// Page 4: adjustments, kept as the printer sent them (biased numbers).
#define VANTREL_ADJUST_PAGE_KEYS(KEY)                                                        \
  KEY(ADJTOPPLAIN) KEY(ADJTOPTHICK) KEY(ADJTOPENVELOPE) KEY(ADJLEFTFRONT) KEY(ADJLEFTBACK)   \
  KEY(ADJIMAGE)                                                                              \
  KEY(ADJTRANSPLAINFRONT) KEY(ADJTRANSTHICK1) KEY(ADJTRANSTHICK2) KEY(ADJTRANSPOSTCARD)      \
  KEY(ADJTRANSENVELOPE) KEY(ADJTRANSLABEL) KEY(ADJTRANSPLAINBACK)
// clang-format on

#define VANTREL_KEY_ENUMERATOR(key) key,
#define VANTREL_KEY_TEXT(key) #key,

enum TonerField : int { VANTREL_TONER_PAGE_KEYS(VANTREL_KEY_ENUMERATOR) };
enum CountField : int { VANTREL_COUNT_PAGE_KEYS(VANTREL_KEY_ENUMERATOR) };
enum MachineField : int { VANTREL_MACHINE_PAGE_KEYS(VANTREL_KEY_ENUMERATOR) };
enum AdjustField : int { VANTREL_ADJUST_PAGE_KEYS(VANTREL_KEY_ENUMERATOR) };

// The key tables (index = enumerator).
inline constexpr const char* kTonerPageKeys[] = {VANTREL_TONER_PAGE_KEYS(VANTREL_KEY_TEXT)};
inline constexpr const char* kCountPageKeys[] = {VANTREL_COUNT_PAGE_KEYS(VANTREL_KEY_TEXT)};
inline constexpr const char* kMachinePageKeys[] = {VANTREL_MACHINE_PAGE_KEYS(VANTREL_KEY_TEXT)};
inline constexpr const char* kAdjustPageKeys[] = {VANTREL_ADJUST_PAGE_KEYS(VANTREL_KEY_TEXT)};

#undef VANTREL_KEY_ENUMERATOR
#undef VANTREL_KEY_TEXT

inline constexpr int kTonerFields = sizeof kTonerPageKeys / sizeof *kTonerPageKeys;
inline constexpr int kCountFields = sizeof kCountPageKeys / sizeof *kCountPageKeys;
inline constexpr int kMachineFields = sizeof kMachinePageKeys / sizeof *kMachinePageKeys;
inline constexpr int kAdjustFields = sizeof kAdjustPageKeys / sizeof *kAdjustPageKeys;

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
