// Each button's status from the connections: by folder, whatever the letter case, on its own drive first.
#include <gtest/gtest.h>

#include <vector>

#include "core/ButtonStates.h"

namespace velloway {
namespace {

TEST(ButtonStatuses, ConnectedByFolderPreferringTheButtonsOwnDrive) {
  SettingsList settings;
  settings.Append(ButtonSetting{u"a", u"Z", u"\\\\srv\\a", u"", u""});
  settings.Append(ButtonSetting{u"b", u"", u"\\\\srv\\b", u"", u""});
  settings.Append(ButtonSetting{u"c", u"Y", u"\\\\srv\\c", u"", u""});
  settings.Append(ButtonSetting{u"d", u"X", u"\\\\srv\\d", u"", u""});
  const std::vector<Text> locals{u"W:", u"Z:", u"", u"Y:", u""};
  const std::vector<Text> remotes{u"\\\\srv\\a", u"\\\\SRV\\A", u"\\\\srv\\b", u"\\\\srv\\other", u"\\\\srv\\c"};
  EXPECT_EQ(ButtonStatuses(settings, locals, remotes), (std::vector<ButtonStatus>{{ButtonState::Connected, u"Z:"},
                                                                                  {ButtonState::Connected, u""},
                                                                                  {ButtonState::Connected, u""},
                                                                                  {ButtonState::NotConnected, u""}}));
  EXPECT_EQ(ButtonStatuses(settings, {}, {}), std::vector<ButtonStatus>(4));
}

// A close of a drive leaves the buttons shown on that drive unconnected; a close by remote name those shown
// connected without a drive to that folder.
TEST(ButtonStatuses, TheButtonsOnAConnection) {
  SettingsList settings;
  settings.Append(ButtonSetting{u"a", u"Z", u"\\\\srv\\a", u"", u""});
  settings.Append(ButtonSetting{u"a2", u"", u"\\\\SRV\\A", u"", u""});
  settings.Append(ButtonSetting{u"b", u"", u"\\\\srv\\b", u"", u""});
  const std::vector<ButtonStatus> statuses{
      {ButtonState::Connected, u"Z:"}, {ButtonState::Connected, u"Z:"}, {ButtonState::Connected, u""}};
  EXPECT_EQ(ButtonsOnConnection(settings, statuses, u"z:"), (std::vector<size_t>{0, 1}));
  EXPECT_EQ(ButtonsOnConnection(settings, statuses, u"\\\\srv\\b"), (std::vector<size_t>{2}));
  EXPECT_TRUE(ButtonsOnConnection(settings, statuses, u"\\\\srv\\a").empty());  // the share is on Z:
  EXPECT_TRUE(ButtonsOnConnection(settings, statuses, u"Y:").empty());
  EXPECT_TRUE(ButtonsOnConnection(settings, std::vector<ButtonStatus>(3), u"Z:").empty());
}

TEST(ButtonStatuses, SayWhatTheyAreInWords) {
  EXPECT_EQ(StatusWords({ButtonState::Connected, u"Z:"}), u"接続中 Z:");
  EXPECT_EQ(StatusWords({ButtonState::Connected, u""}), u"接続中");
  EXPECT_EQ(StatusWords({}), u"未接続");
  EXPECT_EQ(StatusWords({ButtonState::Waiting, u""}), u"待機中");
  EXPECT_EQ(StatusWords({ButtonState::NeedsCheck, u""}), u"要確認");
}

}  // namespace
}  // namespace velloway
