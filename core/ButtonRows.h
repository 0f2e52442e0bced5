// The main window's connect buttons in order: the administrator's shared buttons first, then the user's own
// rows. A view: it reads both lists as they are now.
#pragma once

#include <cstddef>
#include <vector>

#include "core/SettingsList.h"
#include "core/SharedButtons.h"

namespace velloway {

class ButtonRows {
 public:
  // Without shared buttons the rows are the own list's (as every caller had it before there were any).
  ButtonRows(const SettingsList& own, const SharedButtons* shared = nullptr) : own_(own), shared_(shared) {}

  size_t SharedCount() const noexcept { return shared_ != nullptr ? shared_->size() : 0; }
  size_t Count() const noexcept { return SharedCount() + own_.Count(); }
  const ButtonSetting& Row(size_t index) const {
    return index < SharedCount() ? (*shared_)[index].row : own_.Row(index - SharedCount());
  }
  bool IsShared(size_t index) const noexcept { return index < SharedCount(); }
  // The own list's index of an own row.
  size_t OwnIndex(size_t index) const noexcept { return index - SharedCount(); }
  // A shared button's auto-connect comes with it; an own row's is in autos.
  template <typename AutoSet>
  bool ConnectsByItself(size_t index, const AutoSet& autos) const {
    return IsShared(index) ? (*shared_)[index].autoConnect : autos.Contains(Row(index));
  }

 private:
  const SettingsList& own_;
  const SharedButtons* shared_;
};

}  // namespace velloway
