// Load and save of the settings file through the file store under test (the real one under Wine).
#include <gtest/gtest.h>

#include "SettingsFile.h"
#include "TestPlatform.h"

namespace velloway {
namespace {

using testing::MakeFileStore;
using testing::MakeScratchFolder;
using testing::ReadBytes;
using testing::TestCodePage;
using testing::WriteBytes;

class SettingsFileTest : public ::testing::Test {
 protected:
  std::unique_ptr<FileStore> files_ = MakeFileStore();
  Text appData_ = MakeScratchFolder();
  Text path_ = SettingsFolder(appData_);
  SettingsList list_;
};

TEST_F(SettingsFileTest, FirstRunCreatesTheFolderAndLeavesTheListEmpty) {
  list_.Append(ButtonSetting{u"stale", u"", u"\\\\s\\x", u"", u""});
  LoadSettingsFile(path_, list_, *files_, TestCodePage());
  EXPECT_EQ(path_, appData_ + u"\\vlw\\vlw.ini");
  EXPECT_TRUE(files_->FolderExists(appData_ + u"\\vlw"));
  EXPECT_EQ(list_.Count(), 1u);  // no file: the list is not even cleared
  EXPECT_FALSE(ReadBytes(path_).has_value());
}

TEST_F(SettingsFileTest, SaveThenLoadGivesTheSameListAndBytes) {
  LoadSettingsFile(path_, list_, *files_, TestCodePage());
  list_.Append(ButtonSetting{u"経理", u"Z", u"\\\\srv\\keiri", u"", u"00FF"});
  list_.Append(ButtonSetting{u"a,b", u"", u"\\\\srv\\x", u"me", u""});
  SaveSettingsFile(path_, list_, *files_, TestCodePage());
  EXPECT_EQ(ReadBytes(path_), "\x8C\x6F\x97\x9D,Z,\\\\srv\\keiri,,00FF\r\na[&conm;]b,,\\\\srv\\x,me,\r\n");

  Text again = SettingsFolder(appData_);
  SettingsList reloaded;
  LoadSettingsFile(again, reloaded, *files_, TestCodePage());
  ASSERT_EQ(reloaded.Count(), 2u);
  EXPECT_EQ(reloaded.Row(0), list_.Row(0));
  EXPECT_EQ(reloaded.Row(1), list_.Row(1));
}

TEST_F(SettingsFileTest, EmptyListReplacesTheFileWithZeroBytes) {
  LoadSettingsFile(path_, list_, *files_, TestCodePage());
  WriteBytes(path_, "old,Z,\\\\s\\o,,\r\n");
  SaveSettingsFile(path_, SettingsList{}, *files_, TestCodePage());
  EXPECT_EQ(ReadBytes(path_), "");
  list_.Append();
  Text again = SettingsFolder(appData_);
  LoadSettingsFile(again, list_, *files_, TestCodePage());
  EXPECT_EQ(list_.Count(), 0u);
}

TEST_F(SettingsFileTest, LoadReplacesTheListWithTheFile) {
  files_->CreateFolder(path_);
  WriteBytes(path_ + u"\\vlw.ini", "a,,\\\\s\\a,,\r\nb,,\\\\s\\b,,\r\n");
  list_.Append(ButtonSetting{u"stale", u"", u"", u"", u""});
  LoadSettingsFile(path_, list_, *files_, TestCodePage());
  ASSERT_EQ(list_.Count(), 2u);
  EXPECT_EQ(list_.Name(0), u"a");
  EXPECT_EQ(list_.Name(1), u"b");
}

}  // namespace
}  // namespace velloway
