// The one settings list of the program: the rows the editor's list shows and the connect buttons are built from.
#pragma once

#include <cstddef>
#include <vector>

#include "core/ButtonSetting.h"

namespace velloway {

// The sub-items of a row, after its caption (Name), in the editor's column order.
enum class SubItem { Drive = 0, Folder = 1, ID = 2, Pass = 3 };

class SettingsList {
 public:
  size_t Count() const noexcept { return rows_.size(); }

  const ButtonSetting& Row(size_t index) const;
  const Text& Name(size_t index) const;
  const Text& Get(size_t index, SubItem item) const;

  void SetName(size_t index, Text value);
  void Set(size_t index, SubItem item, Text value);
  void SetRow(size_t index, ButtonSetting row);

  // Appends an empty row and returns its index.
  size_t Append();
  size_t Append(ButtonSetting row);
  void Insert(size_t index, ButtonSetting row);
  void Delete(size_t index);
  void Clear() noexcept { rows_.clear(); }

  bool operator==(const SettingsList&) const = default;

 private:
  ButtonSetting& At(size_t index);
  std::vector<ButtonSetting> rows_;
};

}  // namespace velloway
