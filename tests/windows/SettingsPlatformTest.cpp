// The Windows layers under the settings store: the real code page 932, the real application data
// folder, and saves that fail without touching the old file.
#include <windows.h>
#include <gtest/gtest.h>

#include "TestPlatform.h"
#include "core/RuntimeError.h"
#include "core/SettingsFile.h"
#include "core/Unicode.h"
#include "platform/ShellFolders.h"
#include "platform/UniqueAny.h"
#include "platform/WinText.h"
#include "platform/WindowsAnsiCodePage.h"
#include "platform/WindowsFileStore.h"

namespace velloway {
namespace {

TEST(WindowsAnsiCodePage, IsCodePage932AndKnowsWhatItCannotRepresent) {
  ASSERT_EQ(GetACP(), 932u) << "the tests expect a Japanese locale";
  const WindowsAnsiCodePage codePage;
  EXPECT_EQ(codePage.FromText(u"経理"), "\x8C\x6F\x97\x9D");
  EXPECT_EQ(codePage.ToText("\x8C\x6F\x97\x9D"), u"経理");
  EXPECT_TRUE(codePage.CanRepresent(u"経理 ﾃｽﾄ abc"));
  EXPECT_FALSE(codePage.CanRepresent(u"한국"));
  EXPECT_FALSE(codePage.CanRepresent(u"é"));  // best fit would turn it into 'e'
  EXPECT_FALSE(codePage.CanRepresent(u"\U0001F600"));
}

TEST(SettingsFolder, LivesInTheRealApplicationDataFolder) {
  Text path = SettingsFolder(ApplicationDataFolder());
  EXPECT_TRUE(path.ends_with(u"\\Application Data\\vlw") || path.ends_with(u"\\AppData\\Roaming\\vlw"))
      << EncodeUtf8(path);
  WindowsFileStore files;
  SettingsList list;
  UnreadSettingsFile unread;
  LoadSettingsFile(path, list, files, WindowsAnsiCodePage(), unread);
  EXPECT_TRUE(files.FolderExists(SettingsFolder(ApplicationDataFolder())));
  EXPECT_TRUE(path.ends_with(u"\\vlw\\vlw.ini"));
}

// Another program holding the file open without sharing makes the replace fail: the error names
// the file, the old bytes stay, no temporary file is left behind, and a later save succeeds.
TEST(WindowsFileStore, FailedSaveKeepsEveryByteOfTheOldFile) {
  const Text folder = testing::MakeScratchFolder();
  const Text path = folder + u"\\vlw.ini";
  const std::string old = "old,Z,\\\\s\\o,,00FF\r\n";
  testing::WriteBytes(path, old);
  WindowsFileStore files;
  {
    UniqueFileHandle holder(
        CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    try {
      files.ReplaceAll(path, "new\r\n");
      FAIL() << "the save should have failed";
    } catch (const RuntimeError& error) {
      EXPECT_NE(error.Message().find(path), Text::npos);
    }
  }
  EXPECT_EQ(testing::ReadBytes(path), old);

  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(ToWide(folder + u"\\*").c_str(), &found);
  int entries = 0;
  do {
    if (found.cFileName[0] != L'.') ++entries;
  } while (FindNextFileW(search, &found));
  FindClose(search);
  EXPECT_EQ(entries, 1) << "a temporary file was left behind";

  files.ReplaceAll(path, "new\r\n");
  EXPECT_EQ(testing::ReadBytes(path), "new\r\n");
}

// The folder "linked-settings" is laid out by the test run: settings\vlw.ini is a symbolic link to real\vlw.ini.
// A save goes to the file the link names and leaves the link in place, so both paths read the new bytes.
TEST(WindowsFileStore, SaveThroughALinkWritesItsTarget) {
  const Text link = u"linked-settings\\settings\\vlw.ini";
  const Text target = u"linked-settings\\real\\vlw.ini";
  ASSERT_EQ(testing::ReadBytes(target), "old,Z,\\\\s\\o,,00FF\r\n") << "run through ctest, which lays out the link";
  WindowsFileStore files;
  files.ReplaceAll(link, "new\r\n");
  EXPECT_EQ(testing::ReadBytes(target), "new\r\n") << "the link was replaced by a file of its own";
  EXPECT_EQ(files.ReadAll(link), "new\r\n");
  files.ReplaceAll(link, "newer\r\n");
  EXPECT_EQ(testing::ReadBytes(target), "newer\r\n");
}

}  // namespace
}  // namespace velloway
