// Building, stacking and finding the connection panels of the main window's lower half.
#include "ui/main/ConnectionPanelList.h"

#include <algorithm>

#include "ui/framework/Controls.h"
#include "ui/framework/Dpi.h"

namespace velloway {
namespace {

constexpr int kGroupRightMargin = 30;

}  // namespace

void ConnectionPanelList::Rebuild(HWND parent, const std::vector<Text>& locals, const std::vector<Text>& remotes,
                                  HFONT font) {
  ++generation_;
  // The panels go before the group that holds them; at most one group is ever there.
  panels_.clear();
  group_.reset();
  group_ = std::make_unique<ScrollBox>();
  group_->Create(parent, RECT{});
  for (size_t i = 0; i < locals.size() && i < remotes.size(); ++i) {
    const Text& local = locals[i];
    const Text& remote = remotes[i];
    auto panel = std::make_unique<ConnectionPanel>();
    panel->Create(
        group_->Handle(), local.empty() ? remote : u"【" + local + (u"】" + remote), static_cast<int>(i),
        local.empty() ? L"フォルダを開く" : L"ネットワークドライブを開く",
        std::min<int>(kFirstStripButton + 2 * static_cast<int>(i), kLastStripButton - 1), [this] { Stack(); }, font);
    panels_.push_back(std::move(panel));
  }
}

void ConnectionPanelList::Place(int left, int top, int width, int height) {
  if (!group_) return;
  PlaceWindow(group_->Handle(), left, top, width, height);
  Stack();
}

void ConnectionPanelList::Stack() {
  if (!group_) return;
  RECT client{};
  GetClientRect(group_->Handle(), &client);
  const int width = client.right - Scale(kGroupRightMargin, DpiOf(group_->Handle()));
  int top = -group_->Position();
  for (const auto& panel : panels_) {
    PlaceWindow(panel->Handle(), 0, top, width, panel->Height());
    top += panel->Height();
  }
  group_->UpdateRange();
}

std::vector<ConnectionPanel*> ConnectionPanelList::Panels() const {
  std::vector<ConnectionPanel*> panels;
  for (const auto& panel : panels_) panels.push_back(panel.get());
  return panels;
}

// By the control itself rather than its id: past the last id, strips share the last pair.
std::optional<ConnectionPanelList::StripButton> ConnectionPanelList::Find(HWND control) const {
  if (control == nullptr) return std::nullopt;
  for (const auto& panel : panels_) {
    ButtonStrip& strip = panel->Strip();
    for (int button = 0; button < 2; ++button) {
      if (strip.Button(button) == control) return StripButton{strip.Tag(), button};
    }
  }
  return std::nullopt;
}

}  // namespace velloway
