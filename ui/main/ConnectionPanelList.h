// The lower half's list of connection panels: the scrolling group, one panel per connection, the ids of the
// strips' buttons, and the generation that tells today's panels from replaced ones.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "core/Text.h"
#include "ui/framework/ScrollBox.h"
#include "ui/main/ConnectionPanel.h"

namespace velloway {

class ConnectionPanelList {
 public:
  // A strip's two buttons have the ids kFirstStripButton + 2 × its tag (+ 1 for close), unique in the
  // main window, so that Enter and a click on one reach the window by that id.
  static constexpr int kFirstStripButton = 1000;
  static constexpr int kLastStripButton = 9999;
  static bool IsStripButtonId(int id) noexcept { return id >= kFirstStripButton && id <= kLastStripButton; }

  // A button of a strip: its strip's tag (the connection number) and its place (0 open, 1 close).
  struct StripButton {
    int tag;
    int button;
  };

  // Replaces the group and its panels, in parent: a panel per connection, locals[i] and remotes[i]
  // giving its caption and its open button's text.
  void Rebuild(HWND parent, const std::vector<Text>& locals, const std::vector<Text>& remotes, HFONT font);
  // Puts the group there and stacks the panels in it.
  void Place(int left, int top, int width, int height);
  // Stacks the panels from the group's scroll position down, a right margin left free for the wheel.
  void Stack();

  ScrollBox* Group() noexcept { return group_.get(); }
  std::vector<ConnectionPanel*> Panels() const;
  // Counts the rebuilds: a click that was posted before a rebuild belongs to panels that are gone.
  unsigned Generation() const noexcept { return generation_; }
  // The strip button that control is, or none.
  std::optional<StripButton> Find(HWND control) const;

 private:
  std::unique_ptr<ScrollBox> group_;
  std::vector<std::unique_ptr<ConnectionPanel>> panels_;
  unsigned generation_ = 0;
};

}  // namespace velloway
