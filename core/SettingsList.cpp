// The settings list's row operations; an index out of range is a run-time error, as a list index error is.
#include "core/SettingsList.h"

#include "core/RuntimeError.h"

namespace velloway {
namespace {

[[noreturn]] void ThrowIndexError(size_t index) {
  throw RuntimeError(u"リストのインデックスが範囲を超えています (" + NumberText(index) + u")");
}

template <typename Row>
auto& Field(Row& row, SubItem item) {
  switch (item) {
    case SubItem::Drive: return row.Drive;
    case SubItem::Folder: return row.Folder;
    case SubItem::ID: return row.ID;
    case SubItem::Pass: break;
  }
  return row.Pass;
}

}  // namespace

const ButtonSetting& SettingsList::Row(size_t index) const {
  if (index >= rows_.size()) ThrowIndexError(index);
  return rows_[index];
}

ButtonSetting& SettingsList::At(size_t index) {
  if (index >= rows_.size()) ThrowIndexError(index);
  return rows_[index];
}

const Text& SettingsList::Name(size_t index) const { return Row(index).Name; }

const Text& SettingsList::Get(size_t index, SubItem item) const { return Field(Row(index), item); }

void SettingsList::SetName(size_t index, Text value) { At(index).Name = std::move(value); }

void SettingsList::Set(size_t index, SubItem item, Text value) { Field(At(index), item) = std::move(value); }

void SettingsList::SetRow(size_t index, ButtonSetting row) { At(index) = std::move(row); }

size_t SettingsList::Append() { return Append(ButtonSetting{}); }

size_t SettingsList::Append(ButtonSetting row) {
  rows_.push_back(std::move(row));
  return rows_.size() - 1;
}

void SettingsList::Insert(size_t index, ButtonSetting row) {
  if (index > rows_.size()) ThrowIndexError(index);
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(index), std::move(row));
}

void SettingsList::Delete(size_t index) {
  if (index >= rows_.size()) ThrowIndexError(index);
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace velloway
