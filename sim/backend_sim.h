// The simulated printer as a device backend, in-process. It hands the model
// the same control setup the libusb backend puts on the wire. A request the
// printer never answers times out at once; a slow printer's answer is
// waited for.
#pragma once

#include <functional>
#include <mutex>
#include <set>

#include "device/device_backend.h"

class TarnlowPrinter;

// The backend answering from `printer` (which must outlive it). Its state,
// the handles it holds open, is its own: the operations table's context.
// Links on several threads take turns on the printer, one request at a
// time.
class SimulatedBackend {
 public:
  explicit SimulatedBackend(TarnlowPrinter& printer);
  SimulatedBackend(const SimulatedBackend&) = delete;
  SimulatedBackend& operator=(const SimulatedBackend&) = delete;

  // The table to make links with; valid while this object lives.
  const DeviceBackend& Operations() const { return operations_; }

  // Handles held open now.
  int OpenHandles() const {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    return static_cast<int>(open_.size());
  }

  // Called whenever a handle is opened or closed, with the count open after it.
  void OnHandlesChanged(std::function<void(int openHandles)> observer) {
    observer_ = std::move(observer);
  }

 private:
  static SimulatedBackend& Of(void* context) { return *static_cast<SimulatedBackend*>(context); }
  using Handle = int;  // the backend's own data for an open handle
  static bool FindPrinter(void* context, const HardwareIdMatch& matches, std::string& key,
                          LinkError& error);
  static bool Open(void* context, const std::string& key, const ExpectedDevice& expected,
                   void* handle, LinkError& error);
  static void Close(void* context, void* handle);
  static int VendorRequest(void* context, void* handle, const std::uint8_t input[3],
                           std::uint8_t* reply, std::uint16_t length, LinkError& error);
  void HandlesChanged() const {
    if (observer_) observer_(OpenHandles());
  }

  TarnlowPrinter& printer_;
  mutable std::recursive_mutex lock_;  // the printer and the handles
  std::set<Handle> open_;
  Handle nextHandle_ = 1;
  std::function<void(int)> observer_;
  DeviceBackend operations_;
};
