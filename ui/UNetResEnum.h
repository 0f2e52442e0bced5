// The network browser window, TF_NetResEnum: the neighbourhood as a tree, every entry in the log.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "ModalWindow.h"
#include "NetworkProvider.h"
#include "NodePictures.h"
#include "Panel.h"
#include "UniqueAny.h"

namespace velloway {

class TF_NetResEnum : public ModalWindow {
 public:
  explicit TF_NetResEnum(NetworkProvider& network) : network_(network) {}
  void Create(HWND owner);

  HWND B_GetNetRes() const noexcept;
  HWND B_Close() const noexcept;
  HWND TV_NetRec() const noexcept { return TV_NetRec_; }
  HWND Panel2() const noexcept { return Panel2_.Handle(); }
  HWND Memo1() const noexcept { return Memo1_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnButtonClick(int id, HWND control) override;
  void OnDpiChanged(UINT oldDpi) override;

 private:
  void B_GetNetResClick();
  void B_CloseClick();
  void Layout();
  void AppendLog(const Text& line);

  NetworkProvider& network_;
  Panel Panel1_;  // the top strip with the two buttons
  Panel Panel2_;  // the fixed "  Status" caption between the tree and the log
  HWND TV_NetRec_ = nullptr;
  HWND Panel2Label_ = nullptr;
  HWND Memo1_ = nullptr;  // the log
  UniqueImageList ImageList1_;
};

}  // namespace velloway
