// The device link: finding the printer, opening and closing it, and
// sending one vendor request. One link for the whole program; every action
// that talks to the printer runs ConfigurePrinterLink, OpenDeviceLink, its
// requests and (usually) CloseDeviceLink on the user-interface thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Hardware ID of the supported printer, "USB\VID_xxxx&PID_xxxx".
// The vendor and product IDs live only here (and in the udev rule).
inline constexpr std::uint16_t kPrinterVendorId = 0xF0CA;
inline constexpr std::uint16_t kPrinterProductId = 0x7A71;
inline constexpr char kPrinterHardwareId[] = "USB\\VID_F0CA&PID_7A71";

// A backend's device handle; kInvalidDeviceHandle (all bits set) when not open.
using DeviceHandle = std::intptr_t;
inline constexpr DeviceHandle kInvalidDeviceHandle = -1;

inline constexpr int kDeviceIdSize = 128;  // 127 characters and the NUL
inline constexpr int kMaxDeviceIdTokens = 100;

struct DeviceLinkSettings {
  char deviceId[kDeviceIdSize];
};

struct DeviceLink {
  // Comma-separated hardware IDs to look for; while opening, the one tried.
  char deviceId[kDeviceIdSize];
  DeviceHandle hPipeA;  // requests are sent here
  DeviceHandle hPipeB;  // second handle to the same device, never used for I/O
};

// Returns the one link; with settings, first copies deviceId from them.
DeviceLink* GetDeviceLink(const DeviceLinkSettings* settings = nullptr);

// Loads the supported printer's hardware ID into the link.
void ConfigurePrinterLink();

// How long one action (a button, a command of the command line, a beat of
// a watch) may keep sending requests, from the link's opening. A real
// printer answers a whole configuration read in tens of milliseconds; a
// printer that answers each request just inside the time-out would
// otherwise keep the window for minutes. With the request in flight when
// it runs out, an action takes at most this plus one time-out.
inline constexpr unsigned kActionBudgetMs = 6000;

// Closes what is open, then tries each hardware ID of deviceId in turn.
// Returns 1 when the printer was found and opened, 0 otherwise. Every
// action opens the link afresh, so opening also forgets that the printer
// stopped answering and starts the action's budget (see SendVendorRequest).
int OpenDeviceLink();

// The open step of every action on the supported printer: loads its
// hardware ID, then OpenDeviceLink. False when no printer was opened.
bool OpenPrinterLink();

// Closes both handles; always returns 1.
int CloseDeviceLink();

// Sends one vendor request (only the low 8/16/16 bits of code, wValue and
// length count) and returns the number of reply bytes, 0 on any failure.
// Nothing but the reply is written into buffer. Once a request has timed
// out, or the action's budget is spent, the printer is taken as not
// answering until the link is next opened: each later request fails at
// once, unsent, so an action costs one time-out, or its budget and one.
int SendVendorRequest(int code, int wValue, int length, void* buffer);

// Beyond the window's one printer: the command line lists every printer of
// the supported kind and opens the one asked for.

// Whether this user may open a present printer.
enum class PrinterAccess { Granted, Denied, Failed };

struct PresentPrinter {
  std::string key;       // what the backend opens it by
  std::string location;  // where it is, for people: "1:2" (bus and address), a device path
  std::string serial;    // its serial number; empty when it gives none
  PrinterAccess access;
};

// The present printers of the supported kind, in the platform's order;
// nothing when the platform cannot list them or the list cannot be read.
std::optional<std::vector<PresentPrinter>> ListPresentPrinters();

// Opens the listed printer as OpenDeviceLink opens the first: 1 opened, 0 not.
int OpenDeviceLinkTo(const PresentPrinter& printer);
