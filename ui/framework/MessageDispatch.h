// Handing queued messages to their windows, the same way in every message loop of the program.
#pragma once

#include <windows.h>

namespace velloway {

// Dispatches one message; the controls of dialogWindow (when there is one) get their dialog keys: Tab,
// Enter, Esc and the Alt+letter accelerators.
void DispatchWithDialogKeys(HWND dialogWindow, MSG& message);

}  // namespace velloway
