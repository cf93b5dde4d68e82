// The program: one instance, an application record, the hidden main window
// behind its notification icon, and the message loop.
#pragma once

#include "device/device_link.h"
#include "ui/dialog.h"

inline constexpr char kSingleInstanceName[] = "OWN-PROGRAM";

// How the program was started: by the user, or by the session at login.
enum class StartKind { ByUser, AtLogin };

// What a start asks of an instance already running: nothing (the start
// then ends silently), to open its window, or to end. A later start carries
// it to the running instance as kCommandLaterStart's code.
enum class StartRequest { Run, Show, Quit };

// The status of a --quit that found no instance running.
inline constexpr int kExitNotRunning = 1;

// Returns 0, at once when another instance is running (which hears of the
// start and its request). Without a notification area the window opens at
// start; started at login, the program waits a while for a notification
// area instead and ends quietly when none comes. watchSeconds, when not 0,
// starts the status watch with that period, on a link of its own over the
// same backend. The window's actions use windowLink, which the caller
// owns: an action may leave it open, also past the program's end.
// StartRequest::Show with no instance running starts as at login and opens
// the window; StartRequest::Quit with none returns kExitNotRunning.
int RunVantrel(Platform& platform, DeviceLink& windowLink, StartKind start = StartKind::ByUser,
               int watchSeconds = 0, StartRequest request = StartRequest::Run);
