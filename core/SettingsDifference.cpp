// Pairing two button lists by Name, and the question that shows what pairing left over.
#include "core/SettingsDifference.h"

namespace velloway {
namespace {

ButtonLabel LabelOf(const ButtonSetting& row) { return ButtonLabel{row.Name, row.Folder}; }

Text Lines(const Text& heading, const std::vector<ButtonLabel>& labels) {
  if (labels.empty()) return Text();
  Text text = heading + u"\r\n";
  for (const ButtonLabel& label : labels) text += u"　" + label.Name + u"（" + label.Folder + u"）\r\n";
  return text;
}

}  // namespace

SettingsDifference DiffSettings(const SettingsList& mine, const SettingsList& file) {
  SettingsDifference difference;
  std::vector<bool> paired(file.Count(), false);
  for (size_t index = 0; index < mine.Count(); ++index) {
    const ButtonSetting& row = mine.Row(index);
    size_t other = 0;
    while (other < file.Count() && (paired[other] || file.Name(other) != row.Name)) ++other;
    if (other == file.Count()) {
      difference.onlyInMine.push_back(LabelOf(row));
      continue;
    }
    paired[other] = true;
    if (file.Row(other) != row) difference.changed.push_back(LabelOf(row));
  }
  for (size_t other = 0; other < file.Count(); ++other) {
    if (!paired[other]) difference.onlyInFile.push_back(LabelOf(file.Row(other)));
  }
  return difference;
}

Text ConflictQuestion(const SettingsDifference& difference) {
  Text text = u"この画面を開いている間に、設定ファイルがほかのプログラムによって変更されました。\r\n\r\n";
  text += Lines(u"ファイルにだけあるボタン:", difference.onlyInFile);
  text += Lines(u"この画面にだけあるボタン:", difference.onlyInMine);
  text += Lines(u"内容が異なるボタン:", difference.changed);
  if (difference.Empty()) text += u"ボタンの並び順が異なります。\r\n";
  text +=
      u"\r\nはい: この画面の内容で保存\r\nいいえ: ファイルの内容を使う\r\nキャンセル: 編集に戻る\r\n"
      u"（使わなかった方の内容は、別のファイルに残します）";
  return text;
}

}  // namespace velloway
