// The common step of the program's message loops.
#include "ui/MessageDispatch.h"

namespace velloway {

void DispatchWithDialogKeys(HWND dialogWindow, MSG& message) {
  if (dialogWindow != nullptr && IsDialogMessageW(dialogWindow, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace velloway
