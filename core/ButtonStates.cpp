#include "core/ButtonStates.h"

#include "core/DriveAssignment.h"
#include "core/NetworkProvider.h"

namespace velloway {

std::vector<ButtonStatus> ButtonStatuses(const ButtonRows& settings, const std::vector<Text>& locals,
                                         const std::vector<Text>& remotes) {
  std::vector<ButtonStatus> statuses(settings.Count());
  for (size_t s = 0; s < settings.Count(); ++s) {
    const ButtonSetting& setting = settings.Row(s);
    const Text letter = ConnectDrive(setting.Drive);
    const Text ownDrive = letter.empty() ? Text() : letter + u":";
    for (size_t c = 0; c < remotes.size() && c < locals.size(); ++c) {
      if (!SameResourceName(remotes[c], setting.Folder)) continue;
      const bool own = !ownDrive.empty() && SameResourceName(locals[c], ownDrive);
      if (statuses[s].state != ButtonState::Connected || own) statuses[s] = {ButtonState::Connected, locals[c]};
      if (own) break;
    }
  }
  return statuses;
}

Text StatusWords(const ButtonStatus& status) {
  switch (status.state) {
    case ButtonState::Connected: return status.local.empty() ? Text(u"接続中") : u"接続中 " + status.local;
    case ButtonState::Waiting: return u"待機中";
    case ButtonState::NeedsCheck: return u"要確認";
    default: return u"未接続";
  }
}

}  // namespace velloway
