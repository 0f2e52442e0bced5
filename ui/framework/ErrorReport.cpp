// Message boxes of the application.
#include "ui/framework/ErrorReport.h"

#include <exception>

#include "core/RuntimeError.h"
#include "platform/WinText.h"

namespace velloway {
namespace {

HWND OwnerWindow(HWND window) { return window == nullptr ? nullptr : GetAncestor(window, GA_ROOT); }

}  // namespace

void ShowMessage(HWND owner, const Text& text) {
  MessageBoxW(OwnerWindow(owner), ToWide(text).c_str(), kApplicationTitle, MB_OK);
}

bool AskYesNo(HWND owner, const Text& text, bool defaultYes) {
  const UINT type = MB_YESNO | MB_ICONQUESTION | (defaultYes ? MB_DEFBUTTON1 : MB_DEFBUTTON2);
  return MessageBoxW(OwnerWindow(owner), ToWide(text).c_str(), kConfirmTitle, type) == IDYES;
}

int AskYesNoCancel(HWND owner, const Text& text) {
  const UINT type = MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3;
  return MessageBoxW(OwnerWindow(owner), ToWide(text).c_str(), kConfirmTitle, type);
}

void ReportCurrentException(HWND owner) {
  Text text;
  try {
    throw;
  } catch (const RuntimeError& error) {
    text = error.Message();
  } catch (const std::exception& error) {
    const std::string what = error.what();
    text = Text(what.begin(), what.end());
  } catch (...) {
    text = u"不明なエラーが発生しました";
  }
  MessageBoxW(OwnerWindow(owner), ToWide(text).c_str(), kApplicationTitle, MB_OK | MB_ICONERROR);
}

}  // namespace velloway
