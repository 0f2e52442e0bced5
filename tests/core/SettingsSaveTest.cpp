// The checked save's decisions, on the file store under test (the real one under Wine).
#include <gtest/gtest.h>

#include "TestPlatform.h"
#include "core/SettingsSave.h"

namespace velloway {
namespace {

using testing::MakeFileStore;
using testing::MakeScratchFolder;
using testing::ReadBytes;
using testing::TestCodePage;
using testing::WriteBytes;

constexpr char kRead[] = "a,,\\\\s\\a,,\r\n";
constexpr char kOutside[] = "a,,\\\\s\\a,,\r\nother,,\\\\s\\o,,\r\n";
constexpr char kMine[] = "a,,\\\\s\\a,,\r\nmine,Y,\\\\s\\m,,00FF\r\n";
const ButtonSetting kMineRow{u"mine", u"Y", u"\\\\s\\m", u"", u"00FF"};

struct SaveCase {
  const char* what;
  bool fileAtStart;       // vlw.ini holds kRead at load; otherwise there is none
  const char* outside;    // what another program wrote after the load; nullptr: nothing
  bool addMine;           // the editor appended kMineRow
  ConflictAnswer answer;  // when asked
  bool asked;
  const char* fileAfter;    // nullptr: no file
  const char* backupAfter;  // nullptr: no backup
  size_t rowsAfter;
  bool written;
  bool taken;
  bool cancelled;
};

class SettingsSaveTest : public ::testing::Test {
 protected:
  std::unique_ptr<FileStore> files_ = MakeFileStore();
};

TEST_F(SettingsSaveTest, DecidesBetweenMineAndTheFilesAndKeepsTheOtherSide) {
  using enum ConflictAnswer;
  const SaveCase cases[] = {
      {"unchanged on both sides: nothing written", true, nullptr, false, Cancel, false, kRead, nullptr, 1, false, false,
       false},
      {"no file, nothing added: still none", false, nullptr, false, Cancel, false, nullptr, nullptr, 0, false, false,
       false},
      {"mine changed only: written", true, nullptr, true, Cancel, false, kMine, nullptr, 2, true, false, false},
      {"the file changed only: taken silently", true, kOutside, false, Cancel, false, kOutside, nullptr, 2, false, true,
       false},
      {"both, keep mine: the file's bytes kept", true, kOutside, true, KeepMine, true, kMine, kOutside, 2, true, false,
       false},
      {"both, take the file's: my bytes kept", true, kOutside, true, TakeFile, true, kOutside, kMine, 2, false, true,
       false},
      {"both, cancel: nothing written", true, kOutside, true, Cancel, true, kOutside, nullptr, 2, false, false, true},
      {"created outside meanwhile, keep mine", false, kOutside, true, KeepMine, true, "mine,Y,\\\\s\\m,,00FF\r\n",
       kOutside, 1, true, false, false},
      {"both made the same change: nothing asked", true, kMine, true, Cancel, false, kMine, nullptr, 2, false, false,
       false},
  };
  for (const SaveCase& test : cases) {
    SCOPED_TRACE(test.what);
    Text path = MakeScratchFolder();
    const Text file = path + u"\\vlw\\vlw.ini";
    files_->CreateFolder(path + u"\\vlw");
    if (test.fileAtStart) WriteBytes(file, kRead);
    SettingsList list;
    UnreadSettingsFile unread;
    SettingsFileAsRead asRead;
    LoadSettingsFile(path += u"\\vlw", list, *files_, TestCodePage(), unread, &asRead);
    if (test.outside != nullptr) WriteBytes(file, test.outside);
    if (test.addMine) list.Append(kMineRow);

    bool asked = false;
    const CheckedSaveResult result =
        SaveSettingsChecked(file, list, *files_, TestCodePage(), unread, asRead, [&](const SettingsDifference&) {
          asked = true;
          return test.answer;
        });
    EXPECT_EQ(asked, test.asked);
    EXPECT_EQ(result.written, test.written);
    EXPECT_EQ(result.taken, test.taken);
    EXPECT_EQ(result.cancelled, test.cancelled);
    EXPECT_EQ(list.Count(), test.rowsAfter);
    EXPECT_EQ(ReadBytes(file), test.fileAfter == nullptr ? std::nullopt : std::optional<std::string>(test.fileAfter));
    EXPECT_EQ(ReadBytes(file + u".bak"),
              test.backupAfter == nullptr ? std::nullopt : std::optional<std::string>(test.backupAfter));
    EXPECT_EQ(result.backupPath, test.backupAfter == nullptr ? Text() : file + u".bak");
    // Only taking the file's side over a changed list sets rows aside: my row, which the file lacks.
    EXPECT_EQ(result.setAside, test.asked && test.answer == TakeFile ? std::vector<ButtonSetting>{kMineRow}
                                                                     : std::vector<ButtonSetting>{});
    if (!test.cancelled) {
      // What the list now is counts as read: saving it again at once writes nothing and asks nothing.
      const std::optional<std::string> before = ReadBytes(file);
      const CheckedSaveResult again = SaveSettingsChecked(file, list, *files_, TestCodePage(), unread, asRead,
                                                          [](const SettingsDifference&) -> ConflictAnswer {
                                                            ADD_FAILURE() << "asked again";
                                                            return Cancel;
                                                          });
      EXPECT_FALSE(again.written || again.taken);
      EXPECT_EQ(ReadBytes(file), before);
    }
  }
}

TEST_F(SettingsSaveTest, TwoSavesInARowWithOneOutsideChangeBetween) {
  Text path = SettingsFolder(MakeScratchFolder());
  const Text file = path + u"\\vlw.ini";
  SettingsList list;
  UnreadSettingsFile unread;
  SettingsFileAsRead asRead;
  LoadSettingsFile(path, list, *files_, TestCodePage(), unread, &asRead);
  WriteBytes(file + u".bak", "an earlier backup");
  const AskConflict keepMine = [](const SettingsDifference&) { return ConflictAnswer::KeepMine; };
  list.Append(kMineRow);
  EXPECT_TRUE(SaveSettingsChecked(file, list, *files_, TestCodePage(), unread, asRead, keepMine).written);
  WriteBytes(file, kOutside);
  list.Append(ButtonSetting{u"z", u"", u"\\\\s\\z", u"", u""});
  const CheckedSaveResult second = SaveSettingsChecked(file, list, *files_, TestCodePage(), unread, asRead, keepMine);
  EXPECT_EQ(second.backupPath, file + u".bak2");
  EXPECT_EQ(ReadBytes(file + u".bak2"), kOutside);
  EXPECT_EQ(ReadBytes(file + u".bak"), "an earlier backup");
  EXPECT_EQ(ReadBytes(file), "mine,Y,\\\\s\\m,,00FF\r\nz,,\\\\s\\z,,\r\n");
}

}  // namespace
}  // namespace velloway
