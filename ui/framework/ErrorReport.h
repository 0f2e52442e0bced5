// The application title, simple message boxes and the default error report.
#pragma once

#include <windows.h>

#include "core/Text.h"

namespace velloway {

inline constexpr wchar_t kApplicationTitle[] = L"Ｒｕｖ’ｓＶｅｌｌｏｗａｙ";
inline constexpr wchar_t kConfirmTitle[] = L"確認";

// A message with an OK button, titled with the application title.
void ShowMessage(HWND owner, const Text& text);
// A Yes/No question titled "確認"; true for Yes.
bool AskYesNo(HWND owner, const Text& text, bool defaultYes);
// A Yes/No/Cancel question titled "確認", Cancel the default; IDYES, IDNO or IDCANCEL.
int AskYesNoCancel(HWND owner, const Text& text);
// Shows the exception being handled (call from a catch block) and returns.
void ReportCurrentException(HWND owner);

}  // namespace velloway
