// From the probes' findings to one cause: every combination of name, 445 and 139.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/ReachDiagnosis.h"
#include "core/ReachProbe.h"

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

// A network where the name resolves or not and the given ports answer; it records what it was asked.
class FakeReach final : public ReachProbe {
 public:
  FakeReach(bool resolves, std::set<std::uint16_t> open) : resolves_(resolves), open_(std::move(open)) {}
  bool Resolves(const Text& host) const override {
    asked.push_back(u"name " + host);
    return resolves_;
  }
  bool Accepts(const Text& host, std::uint16_t port) const override {
    const std::string digits = std::to_string(port);
    asked.push_back(host + u" " + Text(digits.begin(), digits.end()));
    return open_.count(port) != 0;
  }
  mutable std::vector<Text> asked;

 private:
  bool resolves_;
  std::set<std::uint16_t> open_;
};

// The name first, 445 next, and 139 only when 445 does not answer: no probe is made that cannot change the cause.
TEST(ProbeReach, AsksOnlyWhatCanChangeTheCause) {
  struct Case {
    bool resolves;
    std::set<std::uint16_t> open;
    std::vector<Text> asked;
    ReachCause cause;
  };
  const Case cases[] = {
      {false, {445}, {u"name nas"}, ReachCause::NameUnknown},
      {true, {}, {u"name nas", u"nas 445", u"nas 139"}, ReachCause::NoAnswer},
      {true, {139}, {u"name nas", u"nas 445", u"nas 139"}, ReachCause::OnlyOldPort},
      {true, {445, 139}, {u"name nas", u"nas 445"}, ReachCause::Answers},
  };
  for (const Case& c : cases) {
    const FakeReach network(c.resolves, c.open);
    const ReachProbes found = ProbeReach(network, u"nas");
    EXPECT_EQ(network.asked, c.asked);
    EXPECT_EQ(DiagnoseReach(found, u"\\\\nas").cause, c.cause);
  }
}

}  // namespace
}  // namespace velloway
