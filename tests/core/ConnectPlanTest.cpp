// What a connect click and a close click decide, as tables.
#include <gtest/gtest.h>

#include "core/ConnectPlan.h"
#include "core/Unicode.h"

namespace velloway {
namespace {

TEST(PlanConnect, DriveAndUserDecideLocalNameCredentialsAndTarget) {
  struct Case {
    Text drive, remote, user;
    std::optional<Text> localName;
    bool sendCredentials;
    Text openTarget;
    Text driveLine;
  };
  for (const Case& c : {
           Case{u"Z", u"\\\\srv\\s", u"", u"Z:", false, u"Z:\\", u"【Z】ドライブ割当"},
           Case{u"Z", u"\\\\srv\\s", u"yamada", u"Z:", true, u"Z:\\", u"【Z】ドライブ割当"},
           Case{u"", u"\\\\srv\\s", u"yamada", std::nullopt, true, u"\\\\srv\\s", u""},
           Case{u"", u"\\\\srv\\s", u"", std::nullopt, false, u"\\\\srv\\s", u""},
       }) {
    const ConnectPlan plan = PlanConnect(c.drive, c.remote, c.user);
    EXPECT_EQ(plan.localName, c.localName) << EncodeUtf8(c.drive + u"|" + c.user);
    EXPECT_EQ(plan.sendCredentials, c.sendCredentials);
    EXPECT_EQ(plan.openTarget, c.openTarget);
    EXPECT_EQ(DriveLine(c.drive), c.driveLine);
  }
}

TEST(AfterCancel, OpenFilesAskOnceThenTheResultSpeaks) {
  struct Case {
    std::uint32_t result;
    bool forced;
    bool askForce;
    Text status;
    bool rebuild;
  };
  for (const Case& c : {
           Case{0, false, false, u"切断完了", true},
           Case{2401, false, true, u"", false},
           Case{0, true, false, u"切断完了", true},
           Case{2401, true, false, u"切断できませんでした（エラー 2401）", false},
           Case{2404, false, false, u"デバイスが使用中のため切断できません", false},
       }) {
    const CloseStep step = AfterCancel(c.result, u"Z:", c.forced);
    EXPECT_EQ(step.askForce, c.askForce) << c.result << (c.forced ? " forced" : "");
    EXPECT_EQ(EncodeUtf8(step.status), EncodeUtf8(c.status)) << c.result;
    EXPECT_EQ(step.rebuild, c.rebuild);
    if (c.askForce) {
      EXPECT_EQ(step.question, u"[Z:]内のフォルダ又はファイルが開いており切断できません\r\n強制切断しますか？");
    }
  }
}

}  // namespace
}  // namespace velloway
