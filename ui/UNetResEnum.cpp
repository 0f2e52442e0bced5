// The network browser window: its controls, the node pictures and the search.
#include "UNetResEnum.h"

#include <vector>

#include "Controls.h"
#include "Dpi.h"
#include "NetResourceWalk.h"
#include "NodePictures.h"
#include "WinText.h"

namespace velloway {
namespace {

enum ControlId { kB_GetNetRes = 101, kB_Close, kTV_NetRec, kMemo1, kPanel2Label };

constexpr int kPanel1Height = 33;
constexpr int kPanel2Height = 24;
constexpr int kMemoHeight = 77;
constexpr int kTreeIndent = 19;

const ControlLayout kB_GetNetResLayout{kB_GetNetRes, WC_BUTTONW, L"リソース一覧の取得", 8, 5, 145, 25,
                                       WS_TABSTOP | BS_PUSHBUTTON};
const ControlLayout kB_CloseLayout{kB_Close, WC_BUTTONW, L"閉じる(&C)", 255, 5, 81, 25, WS_TABSTOP | BS_PUSHBUTTON};

}  // namespace

void TF_NetResEnum::Create(HWND owner) {
  CreateModal(L"TF_NetResEnum", L"リソース検索", 426, 293, WS_SYSMENU, owner);
  const UINT dpi = Dpi();
  HINSTANCE instance = GetModuleHandleW(nullptr);
  Panel1_.Create(Handle(), RECT{});
  AddControl(kB_GetNetResLayout, Panel1_.Handle());
  AddControl(kB_CloseLayout, Panel1_.Handle());
  TV_NetRec_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                               0, 0, 0, 0, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTV_NetRec)),
                               instance, nullptr);
  TreeView_SetIndent(TV_NetRec_, Scale(kTreeIndent, dpi));
  ImageList1_ = CreateNodePictures(dpi);
  TreeView_SetImageList(TV_NetRec_, ImageList1_.get(), TVSIL_NORMAL);
  Panel2_.Create(Handle(), RECT{});
  Panel2Label_ = CreateWindowExW(0, WC_STATICW, L"  Status", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX |
                                 SS_CENTERIMAGE, 0, 0, 0, 0, Panel2_.Handle(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPanel2Label)), instance, nullptr);
  Memo1_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, L"",
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY |
                               ES_AUTOVSCROLL,
                           0, 0, 0, 0, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kMemo1)), instance,
                           nullptr);
  SendMessageW(Memo1_, EM_LIMITTEXT, 0, 0);  // the log only grows: no limit of 32K characters
  ApplyFonts();
  Layout();
}

HWND TF_NetResEnum::B_GetNetRes() const noexcept { return Control(kB_GetNetRes); }
HWND TF_NetResEnum::B_Close() const noexcept { return Control(kB_Close); }

void TF_NetResEnum::OnDpiChanged(UINT) {
  TreeView_SetIndent(TV_NetRec_, Scale(kTreeIndent, Dpi()));
  // The pictures are drawn for the DPI; the tree lets go of the old list before it is destroyed.
  UniqueImageList pictures = CreateNodePictures(Dpi());
  TreeView_SetImageList(TV_NetRec_, pictures.get(), TVSIL_NORMAL);
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
  PlaceWindow(Memo1_, 0, client.bottom - memo, client.right, memo);
  PlaceWindow(Panel2_.Handle(), 0, client.bottom - memo - status, client.right, status);
  PlaceWindow(Panel2Label_, 0, 0, client.right, status);
  PlaceWindow(TV_NetRec_, 0, top, client.right, client.bottom - memo - status - top);
}

void TF_NetResEnum::AppendLog(const Text& line) {
  const std::wstring text = ToWide(line) + L"\r\n";
  const int end = GetWindowTextLengthW(Memo1_);
  SendMessageW(Memo1_, EM_SETSEL, end, end);
  SendMessageW(Memo1_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TF_NetResEnum::B_GetNetResClick() {
  TreeView_DeleteAllItems(TV_NetRec_);
  SendMessageW(TV_NetRec_, WM_SETREDRAW, FALSE, 0);
  BrowseResult result;
  // Redrawing comes back even when the walk raises.
  struct Redraw {
    HWND tree;
    ~Redraw() {
      SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(tree, nullptr, TRUE);
    }
  } redraw{TV_NetRec_};
  EnumerateNetResources(network_, nullptr, kNoNode, 0, result);
  std::vector<HTREEITEM> items;
  items.reserve(result.nodes.size());
  for (const BrowseNode& node : result.nodes) {
    std::wstring text = ToWide(node.text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = node.parent == kNoNode ? TVI_ROOT : items[static_cast<size_t>(node.parent)];
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = text.data();
    insert.item.iImage = node.picture;
    insert.item.iSelectedImage = node.picture;  // the same picture selected and unselected
    items.push_back(TreeView_InsertItem(TV_NetRec_, &insert));
  }
  for (const Text& line : result.log) AppendLog(line);
}

void TF_NetResEnum::B_CloseClick() { EndModal(ModalResult::Cancel); }

void TF_NetResEnum::OnButtonClick(int id, HWND) {
  if (id == kB_GetNetRes) B_GetNetResClick();
  if (id == kB_Close) B_CloseClick();
}

LRESULT TF_NetResEnum::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE) {
    Layout();
    return 0;
  }
  return ModalWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace velloway
