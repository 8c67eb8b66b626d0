// COM on the UI thread, entered when something first needs it (resampling a picture, a screen reader's question).
#pragma once

namespace zantiro::forms::win32 {

// Enters the single-threaded apartment once, on the calling thread (always the UI thread); ole32 is looked up,
// not imported. True when COM can be used there; the process ends without leaving it.
bool enterComApartment();

}  // namespace zantiro::forms::win32
