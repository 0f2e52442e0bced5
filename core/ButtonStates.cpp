// Each connect button's state from the connections as read, and the words its tooltip ends with.
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

std::vector<size_t> ButtonsOnConnection(const ButtonRows& settings, const std::vector<ButtonStatus>& statuses,
                                        const Text& name) {
  std::vector<size_t> on;
  const bool drive = name.size() == 2 && name[1] == u':';
  for (size_t s = 0; s < settings.Count() && s < statuses.size(); ++s) {
    const ButtonStatus& status = statuses[s];
    if (status.state != ButtonState::Connected) continue;
    const bool through = drive ? SameResourceName(status.local, name)
                               : status.local.empty() && SameResourceName(settings.Row(s).Folder, name);
    if (through) on.push_back(s);
  }
  return on;
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
