// Load and save of the settings file through the file store under test (the real one under Wine).
#include <gtest/gtest.h>

#include "TestPlatform.h"
#include "core/RuntimeError.h"
#include "core/SettingsFile.h"

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
  UnreadSettingsFile unread_;
};

TEST_F(SettingsFileTest, FirstRunCreatesTheFolderAndLeavesTheListEmpty) {
  list_.Append(ButtonSetting{u"stale", u"", u"\\\\s\\x", u"", u""});
  LoadSettingsFile(path_, list_, *files_, TestCodePage(), unread_);
  EXPECT_EQ(path_, appData_ + u"\\vlw\\vlw.ini");
  EXPECT_TRUE(files_->FolderExists(appData_ + u"\\vlw"));
  EXPECT_EQ(list_.Count(), 1u);  // no file: the list is not even cleared
  EXPECT_FALSE(ReadBytes(path_).has_value());
}

TEST_F(SettingsFileTest, SaveThenLoadGivesTheSameListAndBytes) {
  LoadSettingsFile(path_, list_, *files_, TestCodePage(), unread_);
  list_.Append(ButtonSetting{u"経理", u"Z", u"\\\\srv\\keiri", u"", u"00FF"});
  list_.Append(ButtonSetting{u"a,b", u"", u"\\\\srv\\x", u"me", u""});
  SaveSettingsFile(path_, list_, *files_, TestCodePage(), unread_);
  EXPECT_EQ(ReadBytes(path_), "\x8C\x6F\x97\x9D,Z,\\\\srv\\keiri,,00FF\r\na[&conm;]b,,\\\\srv\\x,me,\r\n");

  Text again = SettingsFolder(appData_);
  SettingsList reloaded;
  LoadSettingsFile(again, reloaded, *files_, TestCodePage(), unread_);
  ASSERT_EQ(reloaded.Count(), 2u);
  EXPECT_EQ(reloaded.Row(0), list_.Row(0));
  EXPECT_EQ(reloaded.Row(1), list_.Row(1));
}

TEST_F(SettingsFileTest, EmptyListReplacesTheFileWithZeroBytes) {
  LoadSettingsFile(path_, list_, *files_, TestCodePage(), unread_);
  WriteBytes(path_, "old,Z,\\\\s\\o,,\r\n");
  SaveSettingsFile(path_, SettingsList{}, *files_, TestCodePage(), unread_);
  EXPECT_EQ(ReadBytes(path_), "");
  list_.Append();
  Text again = SettingsFolder(appData_);
  LoadSettingsFile(again, list_, *files_, TestCodePage(), unread_);
  EXPECT_EQ(list_.Count(), 0u);
}

TEST_F(SettingsFileTest, LoadReplacesTheListWithTheFile) {
  files_->CreateFolder(path_);
  WriteBytes(path_ + u"\\vlw.ini", "a,,\\\\s\\a,,\r\nb,,\\\\s\\b,,\r\n");
  list_.Append(ButtonSetting{u"stale", u"", u"", u"", u""});
  LoadSettingsFile(path_, list_, *files_, TestCodePage(), unread_);
  ASSERT_EQ(list_.Count(), 2u);
  EXPECT_EQ(list_.Name(0), u"a");
  EXPECT_EQ(list_.Name(1), u"b");
}

// The host's files, with one file that cannot be read while another program "holds" it (on Windows the
// same is done with a real lock, in the window tests).
class HeldFileStore final : public FileStore {
 public:
  explicit HeldFileStore(FileStore& files) : files_(files) {}
  bool FolderExists(const Text& folder) const override { return files_.FolderExists(folder); }
  void CreateFolder(const Text& folder) override { files_.CreateFolder(folder); }
  std::optional<std::string> ReadAll(const Text& path) const override {
    if (path == held) throw RuntimeError(u"held");
    return files_.ReadAll(path);
  }
  void ReplaceAll(const Text& path, const std::string& bytes) override {
    if (path == held) throw RuntimeError(u"held");
    files_.ReplaceAll(path, bytes);
  }
  Text held;

 private:
  FileStore& files_;
};

// A file that could not be read at start-up keeps its bytes: unchanged list, nothing written; changed
// list while still held, the save fails and writes nothing; once released, its bytes are kept beside the
// new file, and an earlier backup is never replaced.
TEST_F(SettingsFileTest, UnreadableFileSurvivesEverySave) {
  const std::string original = "\x8C\x6F\x97\x9D,Z,\\\\srv\\keiri,,00FF\r\nb,,\\\\s\\b,,\r\n";
  files_->CreateFolder(path_);
  const Text file = path_ + u"\\vlw.ini";
  WriteBytes(file, original);
  WriteBytes(file + u".bak", "an earlier backup");
  HeldFileStore held(*files_);
  held.held = file;

  EXPECT_THROW(LoadSettingsFile(path_, list_, held, TestCodePage(), unread_), RuntimeError);
  EXPECT_TRUE(unread_.pending);
  EXPECT_EQ(list_.Count(), 0u);

  const SaveResult unchanged = SaveSettingsFile(path_, list_, held, TestCodePage(), unread_);
  EXPECT_FALSE(unchanged.written);
  list_.Append(ButtonSetting{u"x", u"", u"\\\\s\\x", u"", u""});
  list_.Delete(0);
  EXPECT_FALSE(SaveSettingsFile(path_, list_, held, TestCodePage(), unread_).written) << "added, then deleted";

  list_.Append(ButtonSetting{u"new", u"", u"\\\\s\\n", u"", u""});
  EXPECT_THROW(SaveSettingsFile(path_, list_, held, TestCodePage(), unread_), RuntimeError);
  EXPECT_EQ(ReadBytes(file), original);

  held.held.clear();  // released
  const SaveResult saved = SaveSettingsFile(path_, list_, held, TestCodePage(), unread_);
  EXPECT_TRUE(saved.written);
  EXPECT_EQ(saved.backupPath, file + u".bak2");
  EXPECT_EQ(ReadBytes(file + u".bak2"), original);
  EXPECT_EQ(ReadBytes(file + u".bak"), "an earlier backup");
  EXPECT_EQ(ReadBytes(file), "new,,\\\\s\\n,,\r\n");
  EXPECT_FALSE(unread_.pending);

  // From now on the file is the list's: saves replace it without more backups.
  const SaveResult next = SaveSettingsFile(path_, list_, held, TestCodePage(), unread_);
  EXPECT_TRUE(next.written);
  EXPECT_TRUE(next.backupPath.empty());
}

}  // namespace
}  // namespace velloway
