// The network browser window: its controls, the node pictures and the search.
#include "ui/dialogs/UNetResEnum.h"

#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

#include "core/ConnectionEnumeration.h"
#include "core/KnownServers.h"
#include "core/NetResourceWalk.h"
#include "platform/WinText.h"
#include "ui/UiTexts.h"
#include "ui/dialogs/NodePictures.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Dpi.h"

namespace velloway {
namespace {

enum ControlId {
  kB_GetNetRes = 101,
  kB_Close,
  kTV_NetRec,
  kMemo1,
  kPanel2Label,
  kB_AddShare,
  kL_Server,
  kE_Server,
  kB_Server,
  kB_Stop
};

// A second row under the two buttons holds the server field; the window is as much taller, so the
// tree keeps its height.
constexpr int kPanel1Height = 63;
constexpr int kClientWidth = 426;
constexpr int kClientHeight = 323;
constexpr int kPanel2Height = 24;
constexpr int kMemoHeight = 77;
constexpr int kTreeIndent = 19;

// clang-format off
const ControlLayout kB_GetNetResLayout{kB_GetNetRes, WC_BUTTONW, L"リソース一覧の取得", 8, 5, 145, 25,
                                       WS_TABSTOP | BS_PUSHBUTTON};
const ControlLayout kB_CloseLayout{kB_Close, WC_BUTTONW, L"閉じる(&C)", 255, 5, 81, 25, WS_TABSTOP | BS_PUSHBUTTON};
// Between the two: only enabled while a disk share is selected.
const ControlLayout kB_AddShareLayout{kB_AddShare, WC_BUTTONW, L"ボタンに追加", 159, 5, 90, 25,
                                      WS_TABSTOP | BS_PUSHBUTTON | WS_DISABLED};
const ControlLayout kL_ServerLayout{kL_Server, WC_STATICW, L"サーバー", 8, 40, 52, 17, SS_LEFT | SS_NOPREFIX};
const ControlLayout kE_ServerLayout{kE_Server, WC_EDITW, L"", 62, 36, 187, 23, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL};
// Right of the close button: only enabled while a walk runs.
const ControlLayout kB_StopLayout{kB_Stop, WC_BUTTONW, L"中止", 342, 5, 76, 25, WS_TABSTOP | BS_PUSHBUTTON | WS_DISABLED};
const ControlLayout kB_ServerLayout{kB_Server, WC_BUTTONW, L"共有を表示", 255, 35, 81, 25, WS_TABSTOP | BS_PUSHBUTTON};
// Placed by Layout: the tree fills what the top strip and the log leave, the log keeps its height at the
// bottom, and the caption fills Panel2 between them.
const ControlLayout kTV_NetRecLayout{kTV_NetRec, WC_TREEVIEWW, L"", 0, 0, 0, 0,
                                     WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, WS_EX_CLIENTEDGE, 0,
                                     Placement::Window};
const ControlLayout kPanel2LabelLayout{kPanel2Label, WC_STATICW, L"  Status", 0, 0, 0, 0,
                                       SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE, 0, 0, Placement::Window};
const ControlLayout kMemo1Layout{kMemo1, WC_EDITW, L"", 0, 0, 0, 0,
                                 WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                                 WS_EX_CLIENTEDGE, 0, Placement::Window};
// clang-format on

// Longer names than a server has are not worth sending.
constexpr int kServerLimit = 255;

}  // namespace

void TF_NetResEnum::Create(HWND owner) {
  CreateModal(L"TF_NetResEnum", L"リソース検索", kClientWidth, kClientHeight, WS_SYSMENU, owner);
  const UINT dpi = Dpi();
  Panel1_.Create(Handle(), RECT{});
  AddControl(kB_GetNetResLayout, Panel1_.Handle());
  AddControl(kB_AddShareLayout, Panel1_.Handle());
  AddControl(kB_CloseLayout, Panel1_.Handle());
  AddControl(kB_StopLayout, Panel1_.Handle());
  AddControl(kL_ServerLayout, Panel1_.Handle());
  AddControl(kE_ServerLayout, Panel1_.Handle());
  SendMessageW(E_Server(), EM_LIMITTEXT, kServerLimit, 0);
  AddControl(kB_ServerLayout, Panel1_.Handle());
  AddControl(kTV_NetRecLayout);
  TreeView_SetIndent(TV_NetRec(), Scale(kTreeIndent, dpi));
  ImageList1_ = CreateNodePictures(dpi);
  TreeView_SetImageList(TV_NetRec(), ImageList1_.get(), TVSIL_NORMAL);
  Panel2_.Create(Handle(), RECT{});
  AddControl(kPanel2LabelLayout, Panel2_.Handle());
  AddControl(kMemo1Layout);
  SendMessageW(Memo1(), EM_LIMITTEXT, 0, 0);  // the log only grows: no limit of 32K characters
  ApplyFonts();
  Layout();
  worker_.OnBusyChanged([this] { NetworkBusyChanged(); });
}

HWND TF_NetResEnum::B_GetNetRes() const noexcept { return Control(kB_GetNetRes); }
HWND TF_NetResEnum::B_Close() const noexcept { return Control(kB_Close); }

void TF_NetResEnum::OnDpiChanged(UINT) {
  TreeView_SetIndent(TV_NetRec(), Scale(kTreeIndent, Dpi()));
  // The pictures are drawn for the DPI; the tree lets go of the old list before it is destroyed.
  UniqueImageList pictures = CreateNodePictures(Dpi());
  TreeView_SetImageList(TV_NetRec(), pictures.get(), TVSIL_NORMAL);
  ImageList1_ = std::move(pictures);
  Layout();
}

void TF_NetResEnum::Layout() {
  RECT client{};
  GetClientRect(Handle(), &client);
  const UINT dpi = Dpi();
  const int top = Scale(kPanel1Height, dpi);
  const int memo = Scale(kMemoHeight, dpi);
  const int status = Scale(kPanel2Height, dpi);
  PlaceWindow(Panel1_.Handle(), 0, 0, client.right, top);
  PlaceWindow(Memo1(), 0, client.bottom - memo, client.right, memo);
  PlaceWindow(Panel2_.Handle(), 0, client.bottom - memo - status, client.right, status);
  PlaceWindow(Control(kPanel2Label), 0, 0, client.right, status);
  PlaceWindow(TV_NetRec(), 0, top, client.right, client.bottom - memo - status - top);
}

void TF_NetResEnum::AppendLog(const Text& line) {
  const std::wstring text = ToWide(line) + L"\r\n";
  const int end = GetWindowTextLengthW(Memo1());
  SendMessageW(Memo1(), EM_SETSEL, end, end);
  SendMessageW(Memo1(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TF_NetResEnum::B_GetNetResClick() {
  if (worker_.Busy()) return;  // one network operation at a time
  TreeView_DeleteAllItems(TV_NetRec());
  walkItems_.clear();
  UpdateAddShare();
  // Current Windows has network discovery off, yet each server still lists its own shares: when the
  // walk finds nothing, the servers of the buttons and of the current connections are asked.
  auto paths = std::make_shared<std::vector<Text>>();
  for (size_t i = 0; i < settings_.Count(); ++i) paths->push_back(settings_.Get(i, SubItem::Folder));
  NetworkProvider& network = network_;
  NetworkWorker& worker = worker_;
  const bool started = worker_.Start(
      [this, paths, &network, &worker] {
        BrowseResult result;
        size_t shownNodes = 0;
        size_t shownLines = 0;
        // What was found since the last show goes to the window's thread; node parents stay indices of
        // the whole walk.
        auto showNew = [&](const BrowseResult& now) {
          BrowseResult found;
          found.nodes.assign(now.nodes.begin() + static_cast<std::ptrdiff_t>(shownNodes), now.nodes.end());
          found.log.assign(now.log.begin() + static_cast<std::ptrdiff_t>(shownLines), now.log.end());
          shownNodes = now.nodes.size();
          shownLines = now.log.size();
          if (!found.nodes.empty() || !found.log.empty()) {
            worker.Post([this, found = std::move(found)] { ShowFound(found); });
          }
        };
        const WalkControl control{[&worker] { return worker.StopRequested(); }, showNew};
        EnumerateNetResources(network, nullptr, kNoNode, 0, result, control);
        if (result.nodes.empty() && !control.Stopped()) {
          std::vector<Text> locals;
          EnumerateConnections(network, nullptr, locals, *paths);
          ListKnownServers(network, ServersOf(*paths), result, control);
        }
        control.Progress(result);  // whatever is not shown yet
      },
      [this] { UpdateAddShare(); });
  if (!started) AppendLog(kWaitForOperation);
}

void TF_NetResEnum::ShowFound(const BrowseResult& found) {
  ShowNodes(found.nodes, TVI_LAST, walkItems_);
  for (const Text& line : found.log) AppendLog(line);
}

void TF_NetResEnum::B_StopClick() {
  if (worker_.Busy()) worker_.RequestStop();
}

// Closing while a walk runs stops it; the window goes at once, the walk at its next read.
void TF_NetResEnum::CloseRequested() {
  B_StopClick();
  ModalWindow::CloseRequested();
}

void TF_NetResEnum::NetworkBusyChanged() {
  if (Handle() == nullptr) return;
  const bool busy = worker_.Busy();
  // The focus moves before its button is disabled, which would leave the keyboard nowhere: to "中止"
  // while the walk runs, back to the search when it ends.
  HWND focus = GetFocus();
  if (busy) {
    EnableWindow(B_Stop(), TRUE);
    if (focus == B_GetNetRes() || focus == B_Server()) SetFocus(B_Stop());
    EnableWindow(B_GetNetRes(), FALSE);
    EnableWindow(B_Server(), FALSE);
  } else {
    EnableWindow(B_GetNetRes(), TRUE);
    EnableWindow(B_Server(), TRUE);
    if (focus == B_Stop()) SetFocus(B_GetNetRes());
    EnableWindow(B_Stop(), FALSE);
  }
}

void TF_NetResEnum::ShowNodes(const std::vector<BrowseNode>& nodes, HTREEITEM rootAfter,
                              std::vector<HTREEITEM>& items) {
  for (const BrowseNode& node : nodes) {
    std::wstring text = ToWide(node.text);
    const bool top = node.parent == kNoNode || static_cast<size_t>(node.parent) >= items.size();
    TVINSERTSTRUCTW insert{};
    insert.hParent = top ? TVI_ROOT : items[static_cast<size_t>(node.parent)];
    insert.hInsertAfter = top ? rootAfter : TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = text.data();
    insert.item.iImage = node.picture;
    insert.item.iSelectedImage = node.picture;  // the same picture selected and unselected
    items.push_back(TreeView_InsertItem(TV_NetRec(), &insert));
    if (top && rootAfter != TVI_LAST) rootAfter = items.back();
  }
}

void TF_NetResEnum::B_ServerClick() {
  if (worker_.Busy()) return;
  const std::optional<Text> server = ServerFromInput(ControlText(E_Server()));
  if (!server) {
    AppendLog(u"サーバー名か IP アドレスを入力してください（例: \\\\server、server、192.168.1.10）");
    return;
  }
  auto result = std::make_shared<BrowseResult>();
  NetworkProvider& network = network_;
  const bool started = worker_.Start([result, &network, name = *server] { ListServerShares(network, name, *result); },
                                     [this, result, name = *server] {
                                       // A second look at a server replaces its top-level node, in the same place.
                                       HTREEITEM after = TVI_LAST;
                                       for (HTREEITEM item = TreeView_GetRoot(TV_NetRec()); item != nullptr;
                                            item = TreeView_GetNextSibling(TV_NetRec(), item)) {
                                         const std::optional<Text> shown = NodeText(item, kPictureComputer);
                                         if (!shown || !SameResourceName(*shown, name)) continue;
                                         HTREEITEM previous = TreeView_GetPrevSibling(TV_NetRec(), item);
                                         after = previous != nullptr ? previous : TVI_FIRST;
                                         TreeView_DeleteItem(TV_NetRec(), item);
                                         break;
                                       }
                                       std::vector<HTREEITEM> items;
                                       ShowNodes(result->nodes, after, items);
                                       UpdateAddShare();
                                       for (const Text& line : result->log) AppendLog(line);
                                     });
  if (!started) AppendLog(kWaitForOperation);
}

std::optional<Text> TF_NetResEnum::SelectedDiskShare() const {
  HTREEITEM item = TreeView_GetSelection(TV_NetRec());
  if (item == nullptr) return std::nullopt;
  // The folder picture is what marks a disk share, in the walk and in a server's listing alike.
  return NodeText(item, kPictureFolder);
}

std::optional<Text> TF_NetResEnum::NodeText(HTREEITEM item, int picture) const {
  wchar_t text[512] = {};
  TVITEMW data{};
  data.mask = TVIF_TEXT | TVIF_IMAGE;
  data.hItem = item;
  data.pszText = text;
  data.cchTextMax = static_cast<int>(std::size(text));
  if (!TreeView_GetItem(TV_NetRec(), &data) || data.iImage != picture) return std::nullopt;
  return FromWide(text);
}

void TF_NetResEnum::UpdateAddShare() { EnableWindow(B_AddShare(), SelectedDiskShare() ? TRUE : FALSE); }

void TF_NetResEnum::B_AddShareClick() {
  const std::optional<Text> share = SelectedDiskShare();
  if (!share) return;
  if (addButton_(ShareName(*share), *share)) AppendLog(u"【" + *share + u"】の接続ボタンを追加しました");
}

LRESULT TF_NetResEnum::OnNotify(const NMHDR& header) {
  if (header.idFrom != kTV_NetRec) return 0;
  if (header.code == TVN_SELCHANGEDW) UpdateAddShare();
  if (header.code == NM_DBLCLK && SelectedDiskShare()) {
    B_AddShareClick();
    return TRUE;
  }
  return 0;
}

void TF_NetResEnum::B_CloseClick() { EndModal(ModalResult::Cancel); }

void TF_NetResEnum::OnButtonClick(int id, HWND) {
  switch (id) {
    case kB_GetNetRes: B_GetNetResClick(); break;
    case kB_Close: B_CloseClick(); break;
    case kB_Server: B_ServerClick(); break;
    case kB_AddShare: B_AddShareClick(); break;
    case kB_Stop: B_StopClick(); break;
    default: break;
  }
}

// Enter in the server field looks the server up.
void TF_NetResEnum::OnOk() {
  if (GetFocus() == E_Server()) B_ServerClick();
}

HWND TF_NetResEnum::B_AddShare() const noexcept { return Control(kB_AddShare); }
HWND TF_NetResEnum::E_Server() const noexcept { return Control(kE_Server); }
HWND TF_NetResEnum::B_Server() const noexcept { return Control(kB_Server); }
HWND TF_NetResEnum::B_Stop() const noexcept { return Control(kB_Stop); }
HWND TF_NetResEnum::TV_NetRec() const noexcept { return Control(kTV_NetRec); }
HWND TF_NetResEnum::Memo1() const noexcept { return Control(kMemo1); }

LRESULT TF_NetResEnum::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
  if (message == WM_SIZE) {
    Layout();
    return 0;
  }
  return ModalWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace velloway
