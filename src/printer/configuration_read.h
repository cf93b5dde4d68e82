// Reading what the configuration shows, over a device link the caller has
// opened. Failures are told through owner, as the window tells them.
#pragma once

#include "common/message_owner.h"
#include "printer/printer_state.h"

// Allocates the page and counter blocks, then reads the four information
// pages and the counter records into them. A block that cannot be
// allocated stays null: its reads are skipped and its fields show what an
// unreported value shows.
void ReadConfigurationPages(MessageOwner& owner, PrinterState& state);

// Reads the energy-save switch (the one the user service page shows) into
// state.energySave; a failed read shows "Send command to F/W is failed" and
// keeps what it held.
void ReadEnergySaveSwitch(MessageOwner& owner, PrinterState& state);
