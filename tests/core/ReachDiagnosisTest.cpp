// From the probes' findings to one cause: every combination of name, 445 and 139.
#include <gtest/gtest.h>

#include "core/ReachDiagnosis.h"

namespace velloway {
namespace {

TEST(ReachDiagnosis, EachCombinationGivesOneCause) {
  struct Case {
    bool name;
    std::optional<bool> port445;
    std::optional<bool> port139;
    ReachCause cause;
  };
  const Case cases[] = {
      {false, std::nullopt, std::nullopt, ReachCause::NameUnknown},
      {true, false, false, ReachCause::NoAnswer},
      {true, false, std::nullopt, ReachCause::NoAnswer},
      {true, false, true, ReachCause::OnlyOldPort},
      {true, true, false, ReachCause::Answers},
      {true, true, true, ReachCause::Answers},
  };
  for (const Case& c : cases) {
    const ReachDiagnosis diagnosis = DiagnoseReach(ReachProbes{c.name, c.port445, c.port139}, u"\\\\nas");
    EXPECT_EQ(diagnosis.cause, c.cause);
    EXPECT_NE(diagnosis.finding.find(u"【\\\\nas】"), Text::npos);
    EXPECT_FALSE(diagnosis.advice.empty());
    // Turning SMB1 on in Windows is never the advice.
    EXPECT_EQ(diagnosis.advice.find(u"Windows"), Text::npos);
  }
  EXPECT_EQ(DiagnoseReach(ReachProbes{true, false, true}, u"\\\\nas").advice,
            u"管理者に NAS の更新か、NAS で SMB2/SMB3 を有効にするよう依頼してください");
}

TEST(ReachDiagnosis, OnlyNotFoundAndNotReachableCodesAreDiagnosed) {
  for (std::uint32_t code : {51u, 53u, 64u, 121u, 1225u, 1231u, 1232u, 1234u, 1236u, 1460u}) {
    EXPECT_TRUE(NeedsReachDiagnosis(code)) << code;
  }
  for (std::uint32_t code : {0u, 5u, 67u, 85u, 86u, 1219u, 1326u, 1909u})
    EXPECT_FALSE(NeedsReachDiagnosis(code)) << code;
}

}  // namespace
}  // namespace velloway
