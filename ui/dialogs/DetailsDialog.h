// The details of a failed connect, shown over a window with a button that copies them to the clipboard.
#pragma once

#include <windows.h>

#include "core/Text.h"

namespace velloway {

inline constexpr wchar_t kDetailsCaption[] = L"接続エラーの詳細";

// A task dialog: the text, "コピー" (puts the text on the clipboard and stays open) and "閉じる".
void ShowDetailsDialog(HWND owner, const Text& text);

// Puts text on the clipboard as Unicode text; false when the clipboard could not be had.
bool CopyToClipboard(HWND owner, const Text& text);

}  // namespace velloway
