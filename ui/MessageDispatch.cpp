// The common step of the program's message loops.
#include "MessageDispatch.h"

namespace velloway {

void DispatchWithDialogKeys(HWND dialogWindow, MSG& message) {
  if (dialogWindow != nullptr && IsDialogMessageW(dialogWindow, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void ProcessPendingMessages(HWND dialogWindow) {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    DispatchWithDialogKeys(dialogWindow, message);
  }
}

}  // namespace velloway
