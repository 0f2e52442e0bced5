// Drive letters of connections.
#include "core/DriveAssignment.h"

#include "core/NetworkProvider.h"

namespace velloway {

Text ConnectDrive(TextView drive) {
  Text letter = Trim(drive);
  if (letter.size() == 2 && letter[1] == u':') letter.pop_back();
  if (letter.size() == 1 && letter[0] >= u'a' && letter[0] <= u'z') letter[0] = static_cast<char16_t>(letter[0] - 0x20);
  return letter;
}

ConnectOutcome CheckDriveInUse(const ConnectOutcome& outcome, std::uint32_t resultCode, const Text& drive,
                               const Text& remote, const std::vector<Text>& locals, const std::vector<Text>& remotes) {
  if (resultCode != kErrorAlreadyAssigned && resultCode != kErrorSessionCredentialConflict) return outcome;
  ConnectOutcome closed{outcome.status, false};
  const bool credentialConflict = resultCode == kErrorSessionCredentialConflict;
  if (drive.empty()) {
    if (credentialConflict) return closed;
    for (size_t i = 0; i < remotes.size(); ++i) {
      if (SameResourceName(remotes[i], remote)) return outcome;
    }
    return closed;
  }
  const Text local = drive + u":";
  for (size_t i = 0; i < locals.size() && i < remotes.size(); ++i) {
    if (!SameResourceName(locals[i], local)) continue;
    if (SameResourceName(remotes[i], remote)) return credentialConflict ? closed : outcome;
    return ConnectOutcome{u"【" + local + u"】は別の共有【" + remotes[i] + u"】に接続されています", false};
  }
  // 1219 is about the server's credentials: a free letter says nothing about the drive.
  if (credentialConflict) return closed;
  return ConnectOutcome{u"【" + local + u"】ドライブは既に使用されています", false};
}

}  // namespace velloway
