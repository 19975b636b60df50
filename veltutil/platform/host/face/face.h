#pragma once

#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/win_types.h"

// The face: a toolkit that shows the host's windows on a screen and turns what a person does
// there into the same posted input that scripted sessions use. Without one every window stays
// headless. The face is chosen once per process, by the first window made or by an earlier
// VeltSelectFace; the environment variable VELT_FACE names it when the program does not (for
// example VELT_FACE=qt). A face is a loadable module, veltface_<name>.so, found as LoadLibrary
// finds modules. A face that cannot be loaded says why on stderr and the program goes on headless.
// The thread that chooses the face is its UI thread: only that thread's windows are shown.

// Chooses the face `name` ("qt"); null or "" chooses headless. TRUE when the face is on. Once a
// choice has been made (by this call or by the first window) it stands: a later call returns
// whether the face already chosen is `name`.
VELTHOST_API BOOL VeltSelectFace(const char* name);
// Whether a face shows the windows.
VELTHOST_API BOOL VeltFaceActive();
