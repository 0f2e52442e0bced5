// The connect and close decisions.
#include "core/ConnectPlan.h"

#include "core/DisconnectResult.h"
#include "core/NetworkProvider.h"

namespace velloway {

Text DriveLine(const Text& drive) { return drive.empty() ? Text() : u"【" + drive + u"】ドライブ割当"; }

ConnectPlan PlanConnect(const Text& drive, const Text& remote, const Text& user) {
  ConnectPlan plan;
  if (!drive.empty()) plan.localName = drive + u":";
  plan.sendCredentials = !user.empty();
  plan.openTarget = drive.empty() ? remote : drive + u":\\";
  return plan;
}

CloseStep AfterCancel(std::uint32_t resultCode, const Text& name, bool forced) {
  CloseStep step;
  if (resultCode == kErrorOpenFiles && !forced) {
    step.askForce = true;
    step.question = u"[" + name + u"]内のフォルダ又はファイルが開いており切断できません\r\n強制切断しますか？";
    return step;
  }
  step.status = DisconnectResultText(resultCode);
  step.rebuild = resultCode == kNoError;
  return step;
}

}  // namespace velloway
