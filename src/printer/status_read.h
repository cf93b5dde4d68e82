// Reading the printer's status list over a device link the caller has
// opened.
#pragma once

#include <optional>

#include "printer/status_list.h"

// Sends the panel-status request and parses its reply; nothing when no
// bytes came back.
std::optional<StatusList> ReadStatusList();
