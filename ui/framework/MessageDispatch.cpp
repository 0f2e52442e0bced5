// The common step of the program's message loops.
#include "ui/framework/MessageDispatch.h"

namespace velloway {

void DispatchWithDialogKeys(HWND dialogWindow, MSG& message) {
  if (dialogWindow != nullptr && IsDialogMessageW(dialogWindow, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace velloway
