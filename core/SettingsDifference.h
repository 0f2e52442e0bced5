// What one list of buttons has that another has not: shown to the user before one side is set aside.
#pragma once

#include <vector>

#include "core/SettingsList.h"

namespace velloway {

// A button as the user knows it. No Pass: a difference is shown, and a password is never shown.
struct ButtonLabel {
  Text Name;
  Text Folder;

  bool operator==(const ButtonLabel&) const = default;
};

struct SettingsDifference {
  std::vector<ButtonLabel> onlyInFile;
  std::vector<ButtonLabel> onlyInMine;
  std::vector<ButtonLabel> changed;  // same Name on both sides, other fields differ; labelled as mine has it

  bool Empty() const noexcept { return onlyInFile.empty() && onlyInMine.empty() && changed.empty(); }
  bool operator==(const SettingsDifference&) const = default;
};

// Rows are paired by Name, in order (the n-th row of a name with the n-th of the same name on the other side).
// Rows that only moved make no difference.
SettingsDifference DiffSettings(const SettingsList& mine, const SettingsList& file);

// The question asked when the settings file changed while the editor had other changes.
Text ConflictQuestion(const SettingsDifference& difference);

}  // namespace velloway
