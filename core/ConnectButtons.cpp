// The connect button's hint.
#include "ConnectButtons.h"

namespace velloway {

Text ConnectButtonHint(const ButtonSetting& setting) {
  if (setting.Drive.empty()) return setting.Folder;
  return setting.Drive + u"ドライブ【" + setting.Folder + u"】";
}

}  // namespace velloway
