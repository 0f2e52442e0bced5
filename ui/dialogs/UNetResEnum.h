// The network browser window, TF_NetResEnum: the neighbourhood as a tree, every entry in the log.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <vector>

#include "core/NetResourceWalk.h"
#include "core/NetworkProvider.h"
#include "core/SettingsList.h"
#include "platform/UniqueAny.h"
#include "ui/dialogs/NodePictures.h"
#include "ui/framework/ModalWindow.h"
#include "ui/framework/Panel.h"
#include "ui/services/NetworkWorker.h"

namespace velloway {

class TF_NetResEnum : public ModalWindow {
 public:
  // Adds a connect button for a share (its name and remote name) as the editor's add and close do;
  // true when the user confirmed it.
  using AddButton = std::function<bool(const Text& name, const Text& folder)>;

  // settings: the buttons, whose servers are asked when discovery finds nothing (with those of the
  // current connections).
  // The walks run on worker, which the main window shares: one network operation at a time.
  TF_NetResEnum(NetworkProvider& network, NetworkWorker& worker, const SettingsList& settings, AddButton addButton)
      : network_(network), worker_(worker), settings_(settings), addButton_(std::move(addButton)) {}
  void Create(HWND owner);

  HWND B_GetNetRes() const noexcept;
  HWND B_Close() const noexcept;
  HWND TV_NetRec() const noexcept;
  HWND Panel2() const noexcept { return Panel2_.Handle(); }
  HWND Memo1() const noexcept;  // the log
  HWND B_AddShare() const noexcept;
  HWND E_Server() const noexcept;
  HWND B_Server() const noexcept;
  // "中止": stops the running walk before its next read; enabled while one runs.
  HWND B_Stop() const noexcept;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnButtonClick(int id, HWND control) override;
  void OnDpiChanged(UINT oldDpi) override;
  void OnOk() override;
  void CloseRequested() override;

 private:
  void B_GetNetResClick();
  void B_CloseClick();
  void B_ServerClick();
  void B_AddShareClick();
  void B_StopClick();
  // Enables the buttons that start a walk while none runs, and the stop button while one does.
  void NetworkBusyChanged();
  // Shows the nodes and log lines a running walk found since it last showed some.
  void ShowFound(const BrowseResult& found);
  void Layout();
  void AppendLog(const Text& line);
  // Adds the nodes to the tree; top-level ones go after rootAfter (TVI_LAST, TVI_FIRST or an item). A
  // node's parent is an index into items, which holds the tree items of the nodes shown before it (of
  // the same walk) and gets those of these nodes.
  void ShowNodes(const std::vector<BrowseNode>& nodes, HTREEITEM rootAfter, std::vector<HTREEITEM>& items);
  // The remote name of the selected node when it is a disk share.
  std::optional<Text> SelectedDiskShare() const;
  // The text of a node that shows this picture; nothing for a node with another picture.
  std::optional<Text> NodeText(HTREEITEM item, int picture) const;
  void UpdateAddShare();
  LRESULT OnNotify(const NMHDR& header);

  NetworkProvider& network_;
  NetworkWorker& worker_;
  const SettingsList& settings_;
  AddButton addButton_;
  Panel Panel1_;  // the top strip: the buttons, and the server field with its button
  Panel Panel2_;  // the fixed "  Status" caption between the tree and the log
  UniqueImageList ImageList1_;
  std::vector<HTREEITEM> walkItems_;  // the tree items of the running (or last) walk's nodes, by node index
};

}  // namespace velloway
