// The connect button's hint, and the note about buttons left out.
#include "core/ConnectButtons.h"

namespace velloway {

Text ConnectButtonHint(const ButtonSetting& setting) {
  if (setting.Drive.empty()) return setting.Folder;
  return setting.Drive + u"ドライブ【" + setting.Folder + u"】";
}

Text ButtonsLeftOutText(size_t shown, size_t total) {
  return u"接続ボタンが多すぎるため、全" + NumberText(total) + u"件の設定のうち最初の" + NumberText(shown) +
         u"件のボタンだけを表示しています。\r\n設定と設定ファイルは変更されていません。";
}

}  // namespace velloway
