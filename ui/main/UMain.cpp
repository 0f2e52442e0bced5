// The main window: layout, connect buttons, wheel scrolling and the header buttons.
#include "ui/main/UMain.h"

#include <commctrl.h>
#include <dbt.h>

#include <algorithm>
#include <exception>
#include <memory>
#include <string>
#include <utility>

#include "core/ConnectButtons.h"
#include "core/ConnectionEnumeration.h"
#include "core/CredentialKeys.h"
#include "core/NetworkProvider.h"
#include "core/SettingsFile.h"
#include "core/SettingsSave.h"
#include "core/SharePath.h"
#include "platform/SingleInstance.h"
#include "platform/WinText.h"
#include "ui/UiTexts.h"
#include "ui/dialogs/UNetResEnum.h"
#include "ui/dialogs/U_ConnectionDialog.h"
#include "ui/dialogs/U_SettingButton.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Dpi.h"
#include "ui/framework/ErrorReport.h"

namespace velloway {
namespace {

// Every control of the window has an id of its own: clicks and Enter on a focused button reach the main
// window by that id. The strips' buttons are ConnectionPanelList's (1000 to 9999); the connect buttons are
// ConnectButtonRow's (from 10000).
enum ControlId {
  kB_AddButton = 101,
  kB_ConnectionSearch,
  kB_NetResSearch,
  kLabel1,
  kStatusBar1,
};

constexpr UINT_PTR kT_OnCreate = 1;
constexpr UINT_PTR kT_AutoConnect = 2;     // the next automatic attempt that waits for the network is due
constexpr UINT_PTR kT_SharedLimit = 3;     // the shared buttons' file took too long
constexpr UINT_PTR kT_NetworkSettled = 4;  // the network's burst of changes has been quiet for a while
// A strip's button click, handled once the strip's own handler has returned: the handler may rebuild
// (and so destroy) the strip. wParam is the strip's tag; lParam is 0 for open and 1 for close, plus twice
// the panels' generation: a click on panels that a rebuild has since replaced is dropped.
constexpr UINT kStripClicked = WM_APP + 1;
// Not every setting got a connect button: wParam buttons were made for lParam settings.
constexpr UINT kButtonsLeftOut = WM_APP + 2;
// This machine's network addresses changed (AddressChangeWatch).
constexpr UINT kAddressesChanged = WM_APP + 3;
// The network operation that kept the questions about gone shared buttons' connections waiting has ended.
constexpr UINT kOfferToClose = WM_APP + 4;
// A command handed over by another start, taken: it runs from here, outside the message that brought it.
constexpr UINT kRunCommand = WM_APP + 5;
constexpr UINT kT_OnCreateInterval = 10;

constexpr int kClientWidth = 682;
constexpr int kClientHeight = 500;
constexpr int kHeaderHeight = 41;  // Panel2 and Panel1
constexpr int kSplitterHeight = 8;
constexpr int kConnectedHeight = 233;
constexpr int kMinimumHalf = 30;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

// clang-format off
const ControlLayout kB_AddButtonLayout{kB_AddButton, WC_BUTTONW, L"接続ボタン編集(&E)", 9, 9, 114, 25,
                                   WS_TABSTOP | BS_PUSHBUTTON};
const ControlLayout kLabel1Layout{kLabel1, WC_STATICW, L"既に接続済み一覧", 16, 16, 120, 15, SS_LEFT | SS_NOPREFIX};
const ControlLayout kB_ConnectionSearchLayout{kB_ConnectionSearch, WC_BUTTONW, L"接続済み一覧を更新する(&R)", 249, 8, 193,
                                          25, WS_TABSTOP | BS_PUSHBUTTON};
const ControlLayout kB_NetResSearchLayout{kB_NetResSearch, WC_BUTTONW, L"ネットワークリソース探索(&S)", 448, 8, 177, 25,
                                      WS_TABSTOP | BS_PUSHBUTTON};
// The status bar puts itself along the bottom (Layout sends it WM_SIZE).
const ControlLayout kStatusBar1Layout{kStatusBar1, STATUSCLASSNAMEW, L"", 0, 0, 0, 0, SBARS_SIZEGRIP, 0, 0,
                                      Placement::Window};
// clang-format on

}  // namespace

TF_Main::TF_Main(MainServices services, size_t connectButtonLimit)
    : services_(std::move(services)),
      connectButtonLimit_(connectButtonLimit),
      hint_([this](HWND button) { return HintOf(button); }),
      connectionActions_(services_, ConnectionActions::Window{
                                        [this] { return Handle(); }, [this](const Text& status) { SetStatus(status); },
                                        [this](std::vector<Text> locals, std::vector<Text> remotes) {
                                          ShowConnections(std::move(locals), std::move(remotes));
                                        }}),
      connectFlow_(
          services_,
          ConnectFlow::Window{
              [this] { return Handle(); },
              [this](const Text& status) {
                SetStatus(status);
                UpdateWindow(StatusBar1());
              },
              [this](std::vector<Text> locals, std::vector<Text> remotes) {
                ShowConnections(std::move(locals), std::move(remotes));
              },
              [this](const Text& name, const std::function<void(bool)>& then) { CloseByUser(name, then); },
              [this] { return SaveToIni(); }, [this](const Text& drive, const Text& remote) { Made(drive, remote); },
              [this](const ButtonSetting& row, std::uint32_t result, bool shared, bool asKept) {
                autoConnector_.ClickEnded(row, result, shared, asKept);
              }}),
      autoConnector_(
          AutoConnector::Services{services_.settings, services_.autoConnects, services_.autoHolds, services_.shared,
                                  services_.files, services_.network, services_.autoWorker, services_.crypto,
                                  services_.credentials, services_.folders, services_.reach},
          AutoConnector::Hooks{[this](const Text& status) { SetStatus(status); },
                               [this](std::vector<Text> locals, std::vector<Text> remotes) {
                                 ShowConnections(std::move(locals), std::move(remotes));
                               },
                               [this] { ShowButtonStatuses(); },
                               [this](const Text& drive, const Text& remote) { Made(drive, remote); },
                               [this] { return CurrentStatuses(); }},
          AutoConnector::Window{kT_AutoConnect, kT_NetworkSettled, kAddressesChanged}),
      sharedLoader_(services_,
                    SharedButtonLoader::Hooks{[this](const Text& status) { SetStatus(status); },
                                              [this](const SharedButtons& gone) { SharedButtonsChanged(gone); }},
                    kT_SharedLimit) {}

void TF_Main::Create(int showCommand) {
  const SIZE size = OuterSize(kClientWidth, kClientHeight, kStyle, kExStyle, GetDpiForSystem());
  CreateWindowOfClass(L"TF_Main", kExStyle, kStyle, kApplicationTitle, RECT{0, 0, size.cx, size.cy}, nullptr);
  ShowWindow(Handle(), showCommand);
}

void TF_Main::SetDialogs(TF_SettingButton& settingButton, TF_NetResEnum& netResEnum, TF_ConnectionDialog& connection,
                         std::function<void()> makeDialogs) {
  makeDialogs_ = std::move(makeDialogs);
  F_SettingButton_ = &settingButton;
  F_NetResEnum_ = &netResEnum;
  F_ConnectionDialog_ = &connection;
}

void TF_Main::FormCreate() {
  path_ = SettingsFolder(services_.applicationDataFolder);
  stl_Connected1_ = std::make_unique<std::vector<Text>>();
  stl_Connected2_ = std::make_unique<std::vector<Text>>();
  CreateControls();
  busyControls_.Attach(Handle(), {B_ConnectionSearch(), B_NetResSearch()});
  autoConnector_.Attach(Handle());
  sharedLoader_.Attach(Handle());
  services_.worker.OnBusyChanged([this] { NetworkBusyChanged(); });
  timerArmed_ = SetTimer(Handle(), kT_OnCreate, kT_OnCreateInterval, nullptr) != 0;
}

void TF_Main::FormDestroy() {
  autoConnector_.Detach();
  sharedLoader_.Detach();
  stl_Connected1_.reset();
  stl_Connected2_.reset();
}

void TF_Main::CreateControls() {
  StartFrame();
  P_Connect_.Create(Handle(), RECT{});
  Panel2_.Create(P_Connect_.Handle(), RECT{});
  AddControl(kB_AddButtonLayout, Panel2_.Handle());
  P_ButtonPanel_.Create(P_Connect_.Handle(), RECT{});
  Splitter1_.Create(Handle(), [this] {
    Layout();
    UpdateWindow(Handle());
  });
  Splitter1_.SetLowerHeight(Scale(kConnectedHeight, Dpi()));
  P_Connected_.Create(Handle(), RECT{});
  Panel1_.Create(P_Connected_.Handle(), RECT{});  // always the first child of P_Connected
  AddControl(kLabel1Layout, Panel1_.Handle());
  AddControl(kB_ConnectionSearchLayout, Panel1_.Handle());
  AddControl(kB_NetResSearchLayout, Panel1_.Handle());
  AddControl(kStatusBar1Layout);
  // One part across the whole width: the single text of the status line.
  int wholeWidth = -1;
  SendMessageW(StatusBar1(), SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&wholeWidth));
  hint_.Create(Handle());
  ApplyFonts();
  Layout();
}

HWND TF_Main::B_AddButton() const noexcept { return Control(kB_AddButton); }
HWND TF_Main::B_ConnectionSearch() const noexcept { return Control(kB_ConnectionSearch); }
HWND TF_Main::B_NetResSearch() const noexcept { return Control(kB_NetResSearch); }
HWND TF_Main::StatusBar1() const noexcept { return Control(kStatusBar1); }

void TF_Main::Layout() {
  if (StatusBar1() == nullptr) return;
  RECT client{};
  GetClientRect(Handle(), &client);
  SendMessageW(StatusBar1(), WM_SIZE, 0, 0);
  RECT status{};
  GetWindowRect(StatusBar1(), &status);
  const int width = client.right;
  const int statusHeight = status.bottom - status.top;
  const int header = Scale(kHeaderHeight, Dpi());
  const int splitter = Scale(kSplitterHeight, Dpi());
  const int available = client.bottom - statusHeight;
  const int connected = Splitter1_.Place(width, available, splitter, Scale(kMinimumHalf, Dpi()));
  const int connectHeight = available - splitter - connected;

  PlaceWindow(P_Connect_.Handle(), 0, 0, width, connectHeight);
  PlaceWindow(Panel2_.Handle(), 0, 0, width, header);
  PlaceWindow(P_ButtonPanel_.Handle(), 0, header, width, connectHeight - header);
  PlaceWindow(P_Connected_.Handle(), 0, connectHeight + splitter, width, connected);
  PlaceWindow(Panel1_.Handle(), 0, 0, width, header);
  PlaceConnectionPanels();
}

// The lower half's group fills P_Connected below its header.
void TF_Main::PlaceConnectionPanels() {
  RECT lower{};
  GetClientRect(P_Connected_.Handle(), &lower);
  const int header = Scale(kHeaderHeight, Dpi());
  panels_.Place(0, header, lower.right, lower.bottom - header);
}

void TF_Main::OnDpiChanged(UINT oldDpi) {
  Splitter1_.SetLowerHeight(MulDiv(Splitter1_.LowerHeight(), static_cast<int>(Dpi()), static_cast<int>(oldDpi)));
  CreateButtons();
  Layout();
}

void TF_Main::T_OnCreateTimer() {
  KillTimer(Handle(), kT_OnCreate);
  timerArmed_ = false;
  // The connections are read on the worker while this thread loads the file and makes the buttons (the first
  // read loads the network providers); they are shown once both are done, and whatever became of the file.
  CreateButtons_Connected();
  const Text folder = path_;  // the load makes it the settings file's path
  // A vlw.ini that another program holds is reported once the rest is loaded: the side files and the shared
  // buttons do not depend on it.
  std::exception_ptr unreadable;
  try {
    LoadSettingsFile(path_, services_.settings, services_.files, services_.codePage, unread_, &asRead_);
  } catch (...) {
    unreadable = std::current_exception();
  }
  autoConnector_.LoadFile(folder);
  settingsFolder_ = folder;
  CreateButtons();
  // After the user's own buttons are there: the shared file may be slow or out of reach.
  sharedLoader_.Load(settingsFolder_);
  if (unreadable) std::rethrow_exception(unreadable);
}

void TF_Main::CreateButtons() {
  hint_.Remove();  // its button is about to go
  const ButtonRows settings = services_.Buttons();
  const size_t made = connectButtons_.Rebuild(P_ButtonPanel_, settings, connectButtonLimit_, Dpi(), Font());
  ShowButtonStatuses();
  // Told once the caller is done (the start-up or the editor), over the main window.
  if (made < settings.Count()) PostMessageW(Handle(), kButtonsLeftOut, made, static_cast<LPARAM>(settings.Count()));
}

Text TF_Main::HintOf(HWND button) const {
  const LONG_PTR tag = ConnectButtonRow::SettingIndex(button);
  const ButtonRows buttons = services_.Buttons();
  const auto index = static_cast<size_t>(tag);
  if (tag < 0 || index >= buttons.Count()) return Text();
  return ConnectButtonHint(buttons.Row(index)) + u"（" + StatusWords(connectButtons_.StatusOf(index)) + u"）" +
         (buttons.IsShared(index) ? u"（管理者が配布したボタン）" : u"") +
         (autoConnector_.Held(buttons.Row(index)) ? u"（自動接続を一時停止中）" : u"");
}

void TF_Main::CreateButtons_Connected() {
  struct Read {
    std::vector<Text> locals;
    std::vector<Text> remotes;
  };
  auto read = std::make_shared<Read>();
  NetworkProvider& network = services_.network;
  // Not started while another operation runs: that one reads the connections when it ends, or the next one will.
  const bool started =
      services_.worker.Start([read, &network] { EnumerateConnections(network, nullptr, read->locals, read->remotes); },
                             [this, read] {
                               if (Handle() != nullptr)
                                 ShowConnections(std::move(read->locals), std::move(read->remotes));
                             });
  static_cast<void>(started);
}

void TF_Main::PostStripClick(ConnectionPanelList::StripButton button) {
  const auto generation = static_cast<LPARAM>(panels_.Generation() & 0xFFFF);
  PostMessageW(Handle(), kStripClicked, static_cast<WPARAM>(button.tag), button.button | (generation << 1));
}

void TF_Main::ConnectionsRead(std::vector<Text> locals, std::vector<Text> remotes) {
  ShowConnections(std::move(locals), std::move(remotes));
}

void TF_Main::ShowConnections(std::vector<Text> locals, std::vector<Text> remotes) {
  *stl_Connected1_ = std::move(locals);
  *stl_Connected2_ = std::move(remotes);
  // The new group replaces the old one whole: it is always P_Connected's second child, and its only other.
  panels_.Rebuild(P_Connected_.Handle(), *stl_Connected1_, *stl_Connected2_, Font());
  ShowButtonStatuses();
  // The first reading of the connections, and every later one, tells auto-connect what is there.
  autoConnector_.Tick();
  // Only the new group needs a place: laying out the whole window again would move every half for nothing.
  PlaceConnectionPanels();
  panels_.Group()->ScrollTo(0);
}

std::vector<ButtonStatus> TF_Main::CurrentStatuses() const {
  return ButtonStatuses(services_.Buttons(), *stl_Connected1_, *stl_Connected2_);
}

void TF_Main::ShowButtonStatuses() {
  std::vector<ButtonStatus> statuses = CurrentStatuses();
  autoConnector_.MarkStates(statuses);
  connectButtons_.ShowStatuses(std::move(statuses), Dpi());
}

void TF_Main::AutoConnectsChanged() { autoConnector_.ButtonsChanged(); }

void TF_Main::SharedButtonsChanged(const SharedButtons& gone) {
  if (F_SettingButton_ != nullptr) F_SettingButton_->SharedRowsChanged();
  CreateButtons();
  autoConnector_.ButtonsChanged();
  goneToOffer_.insert(goneToOffer_.end(), gone.begin(), gone.end());
  // Asked once no network operation runs: the connections are read by then.
  if (!services_.worker.Busy()) PostMessageW(Handle(), kOfferToClose, 0, 0);
}

// A connection this program made for a shared button that has since gone or moved: the user may close it, one
// question a connection. Connections made otherwise are never touched.
void TF_Main::OfferToClose(const SharedButtons& gone, size_t next) {
  for (; next < gone.size(); ++next) {
    const ButtonSetting& row = gone[next].row;
    for (size_t c = 0; c < stl_Connected2_->size() && c < stl_Connected1_->size(); ++c) {
      const Text local = (*stl_Connected1_)[c];
      const Text remote = (*stl_Connected2_)[c];
      const bool ours = std::any_of(made_.begin(), made_.end(), [&](const MadeConnection& made) {
        return SameResourceName(made.remote, remote) && SameResourceName(made.local, local);
      });
      if (!ours || !SameResourceName(remote, row.Folder) || services_.worker.Busy()) continue;
      const Text name = local.empty() ? remote : local;
      if (AskYesNo(Handle(),
                   u"管理者がボタン【" + row.Name + u"】を変更または削除しました。このボタンで接続した " + name +
                       u" を閉じますか？",
                   false)) {
        if (!connectionActions_.Close(name, false, [this, gone, next](bool) { OfferToClose(gone, next + 1); })) {
          // Asked again, this one included, once the operation that runs now has ended.
          goneToOffer_.insert(goneToOffer_.end(), gone.begin() + static_cast<std::ptrdiff_t>(next), gone.end());
        }
        return;
      }
    }
  }
}

void TF_Main::Made(const Text& drive, const Text& remote) {
  made_.push_back(MadeConnection{drive.empty() ? Text() : drive + u":", remote});
}

void TF_Main::NetworkBusyChanged() {
  if (Handle() == nullptr) return;
  busyControls_.Set(services_.worker.Busy());
  if (!services_.worker.Busy() && !goneToOffer_.empty()) PostMessageW(Handle(), kOfferToClose, 0, 0);
  if (!services_.worker.Busy() && commandQueued_) PostMessageW(Handle(), kRunCommand, 0, 0);
}

const Text& TF_Main::ConnectionName(int tag) const {
  const size_t index = static_cast<size_t>(tag);
  const Text& local = stl_Connected1_->at(index);
  return local.empty() ? stl_Connected2_->at(index) : local;
}

void TF_Main::ButtonGroupItemsClick_Open(int tag) { connectionActions_.Open(ConnectionName(tag)); }

void TF_Main::ButtonGroupItemsClick_DisConnect(int tag) {
  // One network operation at a time: the click is not kept for later, and the user is told so.
  if (services_.worker.Busy()) {
    SetStatus(kWaitForOperation);
    return;
  }
  CloseByUser(ConnectionName(tag), nullptr);
}

std::vector<ButtonSetting> TF_Main::HoldAutoConnect(const Text& connectionName) {
  std::vector<ButtonSetting> held =
      autoConnector_.HoldBack(ButtonsOnConnection(services_.Buttons(), CurrentStatuses(), connectionName));
  if (!held.empty()) ShowButtonStatuses();
  return held;
}

void TF_Main::ReleaseAutoConnect(const std::vector<ButtonSetting>& held) {
  autoConnector_.Release(held);
  if (!held.empty()) ShowButtonStatuses();
}

// Held before the close starts: the connections it reads afterwards would otherwise wake auto-connect first.
void TF_Main::CloseByUser(const Text& name, const std::function<void(bool closed)>& then) {
  auto held = std::make_shared<std::vector<ButtonSetting>>(HoldAutoConnect(name));
  const bool started = connectionActions_.Close(name, false, [this, held, then](bool closed) {
    if (!closed) ReleaseAutoConnect(*held);
    if (then) then(closed);
  });
  if (!started) {
    ReleaseAutoConnect(*held);
    SetStatus(kWaitForOperation);
    if (then) then(false);
  }
}

bool TF_Main::SaveToIni(bool mayAsk) {
  const bool wasUnread = unread_.pending;
  // Asked over the editor when it is open, so that the question is not hidden behind it.
  HWND over = GetActiveWindow() != nullptr ? GetActiveWindow() : Handle();
  const CheckedSaveResult result =
      SaveSettingsChecked(path_, services_.settings, services_.files, services_.codePage, unread_, asRead_,
                          [mayAsk, over](const SettingsDifference& difference) {
                            if (!mayAsk) return ConflictAnswer::KeepMine;
                            switch (AskYesNoCancel(over, ConflictQuestion(difference))) {
                              case IDYES: return ConflictAnswer::KeepMine;
                              case IDNO: return ConflictAnswer::TakeFile;
                              default: return ConflictAnswer::Cancel;
                            }
                          });
  if (!result.cancelled) autoConnector_.SaveFile();
  // Rows that went to the backup have left the list, and so have the passwords only they kept.
  DeleteUnusedCredentials(services_.credentials, CredentialKeysOf(result.setAside), services_.settings);
  const Text notice = SaveNotice(wasUnread, result);
  if (!notice.empty() && mayAsk) ShowMessage(over, notice);
  return !result.cancelled;
}

void TF_Main::FormMouseWheel(int wheelDelta) {
  // The connect buttons' panel, or the group of connection panels (from a panel, a strip or a strip's button).
  ScrollBox* box = ScrollBox::UnderPointer(Handle(), {&P_ButtonPanel_, panels_.Group()});
  if (box != nullptr) box->ScrollBy(WheelScrollStep(wheelDelta));
}

void TF_Main::SetStatus(const Text& text) {
  SendMessageW(StatusBar1(), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(ToWide(text).c_str()));
}

Text TF_Main::StatusText() const {
  const auto length = LOWORD(SendMessageW(StatusBar1(), SB_GETTEXTLENGTHW, 0, 0));
  std::wstring text(length + 1u, L'\0');
  SendMessageW(StatusBar1(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
  return FromWide(text.c_str());
}

void TF_Main::ShowFailureDetails() { connectFlow_.ShowFailureDetails(); }

bool TF_Main::InUserOperation() const {
  // A modal window or a message box over the main window disables it.
  return !IsWindowEnabled(Handle()) || connectFlow_.Running();
}

LRESULT TF_Main::ReceiveCommand(HWND replyTo, const COPYDATASTRUCT& data) {
  if (data.dwData != kCommandCopyData || !commandHandler_) return FALSE;
  // Refused before it is read: no command of this program comes near the limit.
  if (data.lpData == nullptr || data.cbData % sizeof(wchar_t) != 0 ||
      data.cbData > kLongestHandedOverCommand * sizeof(wchar_t) || !IsWindow(replyTo)) {
    return kCommandAnswered | kExitUsage;
  }
  std::optional<std::vector<Text>> arguments = DecodeHandedOverArguments(
      FromWide(std::wstring_view(static_cast<const wchar_t*>(data.lpData), data.cbData / sizeof(wchar_t))));
  if (!arguments) return kCommandAnswered | kExitUsage;
  // Never inside what the user has open, nor beside another command.
  if (InUserOperation() || commandRunning_) return kCommandAnswered | kErrorBusy;
  commandQueued_ = HandedOverCommand{replyTo, std::move(*arguments)};
  commandRunning_ = true;
  PostMessageW(Handle(), kRunCommand, 0, 0);
  return kCommandQueued;
}

void TF_Main::RunCommand() {
  // A refresh of the connections is no one's to wait for: the command runs once it is done (NetworkBusyChanged).
  if (!commandQueued_ || services_.worker.Busy()) return;
  HandedOverCommand command = std::move(*commandQueued_);
  commandQueued_.reset();
  commandHandler_(command.arguments, [this, replyTo = command.replyTo](const CommandReply& reply) {
    commandRunning_ = false;
    SendCommandReply(Handle(), replyTo, ToWide(EncodeCommandReply(reply)));
  });
}

void TF_Main::ConnectClick(HWND sender) {
  // One network operation at a time: a click while one runs starts nothing, though a connect that still runs
  // may be given up. Nor does one that arrives while an earlier click's dialog is still open: it would fill
  // that dialog with its own setting.
  if (services_.worker.Busy()) {
    // The connect may have ended while its question was open: its outcome then stays on the status line.
    const bool gaveUp = connectFlow_.Running() && connectFlow_.AskGiveUp();
    if (!gaveUp && services_.worker.Busy()) SetStatus(kWaitForOperation);
    return;
  }
  if (F_ConnectionDialog_ == nullptr || F_ConnectionDialog_->IsShowing()) return;
  const auto index = static_cast<size_t>(ConnectButtonRow::SettingIndex(sender));
  const ButtonSetting setting = services_.Buttons().Row(index);
  // A Folder that names no share (a program, a URL, a folder of this PC) is neither connected nor opened; the
  // file keeps what it holds.
  if (!IsSharePath(setting.Folder)) {
    ShowMessage(Handle(), kSharePathRule);
    return;
  }
  makeDialogs_();
  connectFlow_.Click(index, *F_ConnectionDialog_);
}

void TF_Main::B_AddButtonClick() {
  if (F_SettingButton_ == nullptr) return;
  makeDialogs_();
  F_SettingButton_->ShowModal();
}

void TF_Main::B_NetResSearchClick() {
  // The browser's walks would be a second network operation.
  if (F_NetResEnum_ == nullptr || services_.worker.Busy()) return;
  makeDialogs_();
  F_NetResEnum_->ShowModal();
}

void TF_Main::B_ConnectionSearchClick() {
  CreateButtons_Connected();
  if (!settingsFolder_.empty()) sharedLoader_.Load(settingsFolder_);  // an unreachable file is tried again
}

void TF_Main::OnButtonClick(int id, HWND control) {
  switch (id) {
    case kB_AddButton: B_AddButtonClick(); return;
    case kB_ConnectionSearch: B_ConnectionSearchClick(); return;
    case kB_NetResSearch: B_NetResSearchClick(); return;
    default: break;
  }
  if (ConnectButtonRow::IsButton(id, control, P_ButtonPanel_)) {
    ConnectClick(control);
  } else if (ConnectionPanelList::IsStripButtonId(id)) {
    if (const auto button = panels_.Find(control)) PostStripClick(*button);
  }
}

// Esc: a connect that is still running may be given up.
void TF_Main::OnCancel() {
  if (connectFlow_.Running()) connectFlow_.AskGiveUp();
}

// Enter on a focused button that the dialog manager has not made the default one arrives as OK: it
// means the focused button's click.
void TF_Main::OnOk() {
  HWND focus = GetFocus();
  if (focus != nullptr && IsChild(Handle(), focus) && IsPushButton(focus)) OnButtonClick(GetDlgCtrlID(focus), focus);
}

LRESULT TF_Main::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (autoConnector_.HandleMessage(message, wParam)) return message == WM_POWERBROADCAST ? TRUE : 0;
  if (sharedLoader_.HandleMessage(message, wParam)) return 0;
  switch (message) {
    case WM_CREATE: FormCreate(); return 0;
    case WM_TIMER:
      if (wParam == kT_OnCreate) T_OnCreateTimer();
      return 0;
    case kStripClicked:
      if (static_cast<unsigned>(lParam >> 1) != (panels_.Generation() & 0xFFFF)) return 0;  // its panel is gone
      if ((lParam & 1) == 0) {
        ButtonGroupItemsClick_Open(static_cast<int>(wParam));
      } else {
        ButtonGroupItemsClick_DisConnect(static_cast<int>(wParam));
      }
      return 0;
    case WM_COPYDATA:
      return ReceiveCommand(reinterpret_cast<HWND>(wParam), *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case kRunCommand: RunCommand(); return 0;
    case kOfferToClose:
      if (!services_.worker.Busy() && !goneToOffer_.empty()) OfferToClose(std::exchange(goneToOffer_, {}), 0);
      return 0;
    case kButtonsLeftOut:
      ShowMessage(Handle(), ButtonsLeftOutText(static_cast<size_t>(wParam), static_cast<size_t>(lParam)));
      return 0;
    case WM_SETCURSOR: {
      // Sent up from the window under the pointer before it gets the mouse move.
      HWND control = reinterpret_cast<HWND>(wParam);
      if (GetParent(control) == P_ButtonPanel_.Handle() && IsPushButton(control)) hint_.Follow(control);
      // The hourglass over the window while a network operation runs; the window still answers.
      if (services_.worker.Busy() && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      return TopLevelWindow::HandleMessage(message, wParam, lParam);
    }
    case WM_NOTIFY: {
      NMHDR& notice = *reinterpret_cast<NMHDR*>(lParam);
      if (hint_.Answer(notice)) return 0;
      if (notice.hwndFrom == StatusBar1() && (notice.code == NM_CLICK || notice.code == NM_DBLCLK)) {
        ShowFailureDetails();
        return TRUE;
      }
      return TopLevelWindow::HandleMessage(message, wParam, lParam);
    }
    // Windows tells every top-level window when a network drive comes or goes, whoever made or closed it: the
    // connections are read again, unless an operation runs (it reads them when it ends, or the next one will).
    case WM_DEVICECHANGE:
      if ((wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE) && !services_.worker.Busy()) {
        CreateButtons_Connected();
      }
      return TRUE;
    case WM_MOUSEWHEEL: FormMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_SIZE: Layout(); return 0;
    // With the editor open, its rows are saved before the program ends; when the user goes back to
    // editing instead, it does not end.
    case WM_CLOSE:
      if (F_SettingButton_ != nullptr && !F_SettingButton_->SaveAndClose(true)) return 0;
      DestroyWindow(Handle());
      return 0;
    case WM_QUERYENDSESSION: return F_SettingButton_ == nullptr || F_SettingButton_->SaveAndClose(true) ? TRUE : FALSE;
    case WM_ENDSESSION:
      if (wParam && F_SettingButton_ != nullptr) F_SettingButton_->SaveAndClose(false);
      return 0;
    case WM_DESTROY:
      FormDestroy();
      PostQuitMessage(0);
      return 0;
    default: return TopLevelWindow::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace velloway
