#pragma once

#include <functional>

#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/win_types.h"

// Tones. The headless host has no sound device: a beep takes its duration in silence. A
// replaceable service lets a program route tones to a device, and tests observe them; it is
// called on whatever thread beeps.

using BeepService = std::function<void(DWORD frequency, DWORD duration)>;

// Installs `service` and returns the one it replaces; an empty service restores the silent wait.
VELTHOST_API BeepService SetBeepService(BeepService service);

// Sounds frequency (hertz) for duration (milliseconds) and returns when it has ended.
VELTHOST_API BOOL Beep(DWORD frequency, DWORD duration);
