// Drive letters of connections: how a hand-written drive is read, and where "already connected" leads.
#include <gtest/gtest.h>

#include "core/DriveAssignment.h"
#include "core/Unicode.h"

namespace velloway {
namespace {

TEST(ConnectDrive, ReadsHandWrittenLettersAsOneUpperCaseLetter) {
  const std::pair<Text, Text> cases[] = {{u"Z", u"Z"}, {u"Z:", u"Z"}, {u" z ", u"Z"}, {u"\tz:\r", u"Z"},
                                         {u"", u""},   {u" ", u""},   {u"ZZ", u"ZZ"}, {u":", u":"}};
  for (const auto& [written, read] : cases) EXPECT_EQ(ConnectDrive(written), read) << EncodeUtf8(written);
}

struct InUseCase {
  const char* name;
  std::uint32_t result;
  Text drive;
  Text status;  // empty: today's outcome stands
  bool open;
  Text remote = u"";  // the share asked for, when not \\srv\keiri
};

void PrintTo(const InUseCase& c, std::ostream* out) { *out << c.name; }

class CheckDriveInUseTest : public ::testing::TestWithParam<InUseCase> {};

// Current connections: Z: to the button's own share (in other letter case), Y: to another share, and a
// connection without a letter.
TEST_P(CheckDriveInUseTest, OpensOnlyTheShareAskedFor) {
  const InUseCase& c = GetParam();
  const ConnectOutcome today{u"既に接続済みです", true};
  const std::vector<Text> locals{u"z:", u"Y:", u""};
  const std::vector<Text> remotes{u"\\\\SRV\\Keiri\\", u"\\\\other\\share", u"\\\\srv\\keiri"};
  const Text remote = c.remote.empty() ? Text(u"\\\\srv\\keiri") : c.remote;
  const ConnectOutcome outcome = CheckDriveInUse(today, c.result, c.drive, remote, locals, remotes);
  EXPECT_EQ(EncodeUtf8(outcome.status), EncodeUtf8(c.status.empty() ? today.status : c.status));
  EXPECT_EQ(outcome.open, c.open);
}

INSTANTIATE_TEST_SUITE_P(
    Results, CheckDriveInUseTest,
    ::testing::Values(
        InUseCase{"same share", 85, u"Z", u"", true},
        // 1219: the server's connection is another user's, so nothing is opened as that user.
        InUseCase{"same share, 1219", 1219, u"Z", u"", false},
        InUseCase{"another share", 85, u"Y", u"【Y:】は別の共有【\\\\other\\share】に接続されています", false},
        InUseCase{"another share, 1219", 1219, u"Y", u"【Y:】は別の共有【\\\\other\\share】に接続されています", false},
        InUseCase{"a local drive", 85, u"C", u"【C:】ドライブは既に使用されています", false},
        InUseCase{"1219 with a free letter", 1219, u"X", u"", false},
        InUseCase{"1219 without a letter", 1219, u"", u"", false}, InUseCase{"no letter", 85, u"", u"", true},
        InUseCase{"no letter, that share not connected", 85, u"", u"", false, u"\\\\srv\\gone"},
        InUseCase{"another result", 0, u"Y", u"", true}));

}  // namespace
}  // namespace velloway
