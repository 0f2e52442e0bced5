// Which buttons connect by themselves, as kept beside vlw.ini, and what an automatic attempt leads to.
#include <gtest/gtest.h>

#include <string>

#include "core/AutoConnect.h"

namespace velloway {
namespace {

const ButtonSetting kKeiri{u"経理", u"z", u"\\\\srv\\経理", u"taro", u"00FF"};
const ButtonSetting kPublic{u"public", u"", u"\\\\nas\\public", u"", u""};

TEST(AutoConnectSet, KeyedByDriveAndFolderAndKeptInAFileOfItsOwn) {
  AutoConnectSet set;
  set.Set(kKeiri, true);
  set.Set(kPublic, true);
  set.Set(kPublic, true);  // once only
  // A rename keeps it; another drive or folder is another button; letter case does not count.
  ButtonSetting renamed = kKeiri;
  renamed.Name = u"経理部";
  renamed.Folder = u"\\\\SRV\\経理";
  EXPECT_TRUE(set.Contains(renamed));
  ButtonSetting otherDrive = kKeiri;
  otherDrive.Drive = u"Y";
  EXPECT_FALSE(set.Contains(otherDrive));

  const std::string bytes = set.Format();
  EXPECT_EQ(bytes, "Z\t\\\\srv\\\xE7\xB5\x8C\xE7\x90\x86\r\n\t\\\\nas\\public\r\n");
  EXPECT_EQ(AutoConnectSet::Parse(bytes), set);

  set.Set(kKeiri, false);
  EXPECT_FALSE(set.Contains(kKeiri));
  EXPECT_TRUE(set.Contains(kPublic));
  SettingsList rows;
  rows.Append(kKeiri);
  set.KeepOnly(rows);  // public's button is gone
  EXPECT_TRUE(set.Empty());
}

TEST(AutoConnectSet, ADamagedFileCostsOnlyItsDamagedLines) {
  const AutoConnectSet set = AutoConnectSet::Parse(
      "Z\t\\\\srv\\a\n"
      "no tab here\n"
      "ZZ\t\\\\srv\\b\n"  // not one letter
      "1\t\\\\srv\\c\n"
      "Y\tC:\\local\n"  // no share
      "\t\\\\srv\\d\r\n"
      "\t\\\\srv\\D\r\n"  // the same key again
      "X\t\\\\srv\\e");   // no line end
  EXPECT_EQ(set.Format(),
            "Z\t\\\\srv\\a\r\n\t\\\\srv\\d\r\n"
            "X\t\\\\srv\\e\r\n");
  EXPECT_TRUE(AutoConnectSet::Parse("").Empty());
}

TEST(AfterAutoAttempt, RetriesOnlyWhatTheNetworkMayStillBringAndNeverARefusal) {
  struct Case {
    std::uint32_t code;
    AutoNext next;
  };
  for (const Case& c : {Case{0, AutoNext::Connected}, Case{85, AutoNext::Connected}, Case{53, AutoNext::Retry},
                        Case{51, AutoNext::Retry},    Case{64, AutoNext::Retry},     Case{121, AutoNext::Retry},
                        Case{1222, AutoNext::Retry},  Case{1231, AutoNext::Retry},   Case{1232, AutoNext::Retry},
                        Case{1460, AutoNext::Retry},  Case{1311, AutoNext::Retry},   Case{5, AutoNext::Stop},
                        Case{86, AutoNext::Stop},     Case{1326, AutoNext::Stop},    Case{1909, AutoNext::Stop},
                        Case{1330, AutoNext::Stop},   Case{1331, AutoNext::Stop},    Case{1219, AutoNext::Stop},
                        Case{67, AutoNext::Stop},     Case{4321, AutoNext::Stop}}) {
    EXPECT_EQ(AfterAutoAttempt(c.code), c.next) << c.code;
  }
}

TEST(RetryDelaySeconds, StartsAt15AndGrowsToFiveMinutes) {
  std::string delays;
  for (int failures = 1; failures <= 8; ++failures) delays += std::to_string(RetryDelaySeconds(failures)) + " ";
  EXPECT_EQ(delays, "15 30 60 120 240 300 300 300 ");
}

}  // namespace
}  // namespace velloway
