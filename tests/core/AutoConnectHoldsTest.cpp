// What holds a button's auto-connect back: a refusal kept by Folder, ID and a password fingerprint across
// starts, and a close by the user; both gone once the user takes the button over.
#include <gtest/gtest.h>

#include <string>

#include "core/AutoConnectHolds.h"

namespace velloway {
namespace {

const ButtonSetting kKeiri{u"経理", u"Z", u"\\\\srv\\経理", u"taro", u"00FF"};

TEST(AutoConnectHolds, ARefusalHoldsForTheSamePasswordOnlyAndSurvivesTheFile) {
  AutoConnectHolds holds;
  holds.Refuse(kKeiri, PasswordFingerprint(u"wrong"));
  // Renamed, moved to another letter, letters of another case: the same Folder and ID.
  ButtonSetting same = kKeiri;
  same.Name = u"経理部";
  same.Drive = u"Y";
  same.Folder = u"\\\\SRV\\経理\\";
  same.ID = u"TARO";
  EXPECT_TRUE(holds.MayBeRefused(same));
  EXPECT_TRUE(holds.Refused(same, u"wrong"));
  EXPECT_FALSE(holds.Refused(same, u"right"));  // the stored password changed: it may be sent
  ButtonSetting otherUser = kKeiri;
  otherUser.ID = u"hanako";
  EXPECT_FALSE(holds.MayBeRefused(otherUser));

  const std::string bytes = holds.FormatRefusals();
  const Text fingerprint = PasswordFingerprint(u"wrong");
  EXPECT_EQ(bytes,
            "\\\\srv\\\xE7\xB5\x8C\xE7\x90\x86\ttaro\t" + std::string(fingerprint.begin(), fingerprint.end()) + "\r\n");
  EXPECT_EQ(bytes.find("wrong"), std::string::npos);
  AutoConnectHolds read;
  read.ParseRefusals(bytes);
  EXPECT_TRUE(read.SameRefusals(holds));
  EXPECT_TRUE(read.Refused(kKeiri, u"wrong"));

  // A second refusal of the same button replaces the first.
  holds.Refuse(kKeiri, PasswordFingerprint(u"other"));
  EXPECT_FALSE(holds.Refused(kKeiri, u"wrong"));
  EXPECT_TRUE(holds.Refused(kKeiri, u"other"));
  EXPECT_TRUE(holds.UserTookOver(same));
  EXPECT_FALSE(holds.MayBeRefused(kKeiri));
  EXPECT_FALSE(holds.UserTookOver(kKeiri));  // nothing left to write
}

TEST(AutoConnectHolds, DamagedLinesAreSkipped) {
  AutoConnectHolds holds;
  holds.ParseRefusals(
      "\\\\srv\\a\ttaro\t12AB\r\n"    // kept
      "\\\\srv\\b\ttaro\r\n"          // no fingerprint
      "\\\\srv\\c\ttaro\t12ab\r\n"    // not as written
      "C:\\local\ttaro\t12AB\r\n"     // no share
      "\\\\srv\\d\tta\x01ro\t12AB\n"  // a control character
      "\\\\srv\\a\ttaro\t0000\n");    // the same button twice: the first counts
  const std::string kept = "\\\\srv\\a\ttaro\t12AB\r\n";
  EXPECT_EQ(holds.FormatRefusals(), kept);
}

TEST(AutoConnectHolds, FingerprintsAreShortAndTellPasswordsApart) {
  EXPECT_EQ(PasswordFingerprint(u"").size(), 4u);
  EXPECT_EQ(PasswordFingerprint(u"secret"), PasswordFingerprint(u"secret"));
  EXPECT_NE(PasswordFingerprint(u"secret"), PasswordFingerprint(u"secret1"));
  EXPECT_NE(PasswordFingerprint(u"パスワード"), PasswordFingerprint(u"パスワート"));
}

TEST(AutoConnectHolds, AUserCloseHoldsUntilTheUserTakesOver) {
  AutoConnectHolds holds;
  holds.Hold(kKeiri);
  ButtonSetting renamed = kKeiri;
  renamed.Name = u"経理部";
  EXPECT_TRUE(holds.Held(renamed));
  ButtonSetting otherDrive = kKeiri;
  otherDrive.Drive = u"Y";
  EXPECT_FALSE(holds.Held(otherDrive));
  EXPECT_EQ(holds.FormatRefusals(), "");  // never written: a new start forgets it
  EXPECT_FALSE(holds.UserTookOver(kKeiri));
  EXPECT_FALSE(holds.Held(kKeiri));
  holds.Hold(kKeiri);
  holds.Release(kKeiri);
  EXPECT_FALSE(holds.Held(kKeiri));
}

}  // namespace
}  // namespace velloway
