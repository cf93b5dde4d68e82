// The simulated printer as a device backend, in-process. It hands the model
// the same control setup the libusb backend puts on the wire. A request the
// printer never answers fails at once, as a timed-out transfer would.
#pragma once

#include <functional>

#include "device/device_backend.h"

class TarnlowPrinter;

// The backend answering from `printer` (which must outlive its use).
const DeviceBackend* SimulatedPrinterBackend(TarnlowPrinter& printer);

// Handles the simulated backend holds open now.
int SimulatedOpenHandles();

// Called whenever a handle is opened or closed, with the count open after it.
void OnSimulatedHandlesChanged(std::function<void(int openHandles)> observer);
