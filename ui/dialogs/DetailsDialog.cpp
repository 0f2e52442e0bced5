// The details dialog: the text, a copy button, OK.
#include "ui/dialogs/DetailsDialog.h"

#include <commctrl.h>

#include <cstring>
#include <string>

#include "platform/WinText.h"

namespace velloway {
namespace {

constexpr int kCopy = 100;
constexpr int kClose = 101;

HRESULT CALLBACK OnNotify(HWND dialog, UINT notification, WPARAM wParam, LPARAM, LONG_PTR data) {
  if (notification != TDN_BUTTON_CLICKED || wParam != kCopy) return S_OK;
  const std::wstring& text = *reinterpret_cast<const std::wstring*>(data);
  CopyToClipboard(dialog, FromWide(text));
  return S_FALSE;  // the dialog stays open
}

// Owns clipboard memory until the clipboard takes it.
class GlobalText {
 public:
  explicit GlobalText(const std::wstring& text) noexcept
      : memory_(GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
    if (memory_ == nullptr) return;
    void* bytes = GlobalLock(memory_);
    if (bytes == nullptr) return;
    std::memcpy(bytes, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory_);
  }
  ~GlobalText() {
    if (memory_ != nullptr) GlobalFree(memory_);
  }
  GlobalText(const GlobalText&) = delete;
  GlobalText& operator=(const GlobalText&) = delete;
  HGLOBAL get() const noexcept { return memory_; }
  void Given() noexcept { memory_ = nullptr; }

 private:
  HGLOBAL memory_;
};

class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) noexcept : open_(OpenClipboard(owner) != FALSE) {}
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool Open() const noexcept { return open_; }

 private:
  bool open_;
};

}  // namespace

bool CopyToClipboard(HWND owner, const Text& text) {
  GlobalText memory(ToWide(text));
  if (memory.get() == nullptr) return false;
  const OpenedClipboard clipboard(owner);
  if (!clipboard.Open() || !EmptyClipboard()) return false;
  if (SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) return false;
  memory.Given();
  return true;
}

void ShowDetailsDialog(HWND owner, const Text& text) {
  const std::wstring wide = ToWide(text);
  const TASKDIALOG_BUTTON buttons[] = {{kCopy, L"コピー"}, {kClose, L"閉じる"}};
  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof config;
  config.hwndParent = owner;
  config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_SIZE_TO_CONTENT;
  config.pszWindowTitle = kDetailsCaption;
  config.pszContent = wide.c_str();
  config.pButtons = buttons;
  config.cButtons = static_cast<UINT>(std::size(buttons));
  config.nDefaultButton = kClose;
  config.pfCallback = OnNotify;
  config.lpCallbackData = reinterpret_cast<LONG_PTR>(&wide);
  TaskDialogIndirect(&config, nullptr, nullptr, nullptr);
}

}  // namespace velloway
