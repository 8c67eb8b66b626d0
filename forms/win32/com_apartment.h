// COM on the UI thread, entered when something first needs it (resampling a picture, a screen reader's question).
// ole32's calls live here alone: it is looked up at the first of them, not imported.
#pragma once

#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

// Enters the single-threaded apartment once, on the calling thread (always the UI thread). True when COM can be
// used there; the process ends without leaving it.
bool enterComApartment();

// CoCreateInstance of an in-process class, in the apartment entered first; CO_E_NOTINITIALIZED when there is none.
HRESULT createInProcess(REFCLSID classId, REFIID interfaceId, void** object);

}  // namespace zantiro::forms::win32
