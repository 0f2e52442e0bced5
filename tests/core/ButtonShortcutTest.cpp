// A button's desktop shortcut: which NAME its command line carries, how that is quoted, and its file name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ButtonShortcut.h"
#include "core/CommandLine.h"
#include "core/Unicode.h"

namespace velloway {
namespace {

TEST(ButtonShortcut, TheCommandLineNamesTheButtonItselfAndTheFileNameIsSafe) {
  struct Case {
    ButtonSetting row;
    Text fileName;
    Text arguments;
  };
  const Case cases[] = {
      {{u"経理", u"Z", u"\\\\srv\\keiri", u"", u""}, u"経理.lnk", u"/connect \"経理\""},
      // The second button of one name: its folder finds it.
      {{u"経理", u"", u"\\\\srv\\keiri2", u"", u""}, u"経理.lnk", u"/connect \"\\\\srv\\keiri2\""},
      // A name the command line would read as a switch.
      {{u"-総務", u"", u"\\\\srv\\soumu", u"", u""}, u"-総務.lnk", u"/connect \"\\\\srv\\soumu\""},
      {{u"a/b:c*d?\"e\"<f>|g\\h", u"", u"\\\\srv\\a", u"", u""},
       u"a_b_c_d__e__f__g_h.lnk",
       u"/connect \"a/b:c*d?\\\"e\\\"<f>|g\\h\""},
      {{u" 人事. . ", u"", u"\\\\srv\\jinji", u"", u""}, u"人事.lnk", u"/connect \" 人事. . \""},
      {{u"con", u"", u"\\\\srv\\con", u"", u""}, u"_con.lnk", u"/connect \"con\""},
      {{u"LPT1.txt", u"", u"\\\\srv\\lpt", u"", u""}, u"_LPT1.txt.lnk", u"/connect \"LPT1.txt\""},
      {{u"COM10", u"", u"\\\\srv\\com", u"", u""}, u"COM10.lnk", u"/connect \"COM10\""},
      // A hand-edited row without a name: named after its folder.
      {{u"", u"", u"\\\\srv\\noname", u"", u""}, u"srv_noname.lnk", u"/connect \"\\\\srv\\noname\""},
      {{u"...", u"", u"\\\\srv\\dots", u"", u""}, u"Velloway.lnk", u"/connect \"...\""},
  };
  SettingsList own;
  for (const Case& c : cases) own.Append(c.row);
  const ButtonRows rows(own);
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    const ButtonShortcut shortcut = ShortcutForButton(rows, i);
    EXPECT_EQ(shortcut.fileName, cases[i].fileName);
    EXPECT_EQ(shortcut.arguments, cases[i].arguments);
    EXPECT_EQ(shortcut.description, cases[i].row.Folder);
  }
  const Text longName(300, u'長');
  own.Append(ButtonSetting{longName, u"", u"\\\\srv\\long", u"", u""});
  EXPECT_EQ(ShortcutForButton(rows, own.Count() - 1).fileName, Text(100, u'長') + u".lnk");
}

TEST(ButtonShortcut, ATakenFileNameIsNumberedBeforeItsExtension) {
  struct Case {
    Text fileName;
    size_t number;
    Text numbered;
  };
  const Case cases[] = {
      {u"経理.lnk", 0, u"経理.lnk"},
      {u"経理.lnk", 1, u"経理.lnk"},
      {u"経理.lnk", 2, u"経理 (2).lnk"},
      {u"経理.lnk", 3, u"経理 (3).lnk"},
      {u"経理.lnk", 10, u"経理 (10).lnk"},
      {u"_LPT1.txt.lnk", 2, u"_LPT1.txt (2).lnk"},  // only the last extension moves
      {u"noextension", 2, u"noextension (2)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(EncodeUtf8(c.fileName) + " " + std::to_string(c.number));
    EXPECT_EQ(NumberedFileName(c.fileName, c.number), c.numbered);
  }
}

TEST(ButtonShortcut, ArgumentsAreQuotedAsWindowsSplitsThem) {
  struct Case {
    Text argument;
    Text quoted;
  };
  const Case cases[] = {
      {u"", u"\"\""},
      {u"a b", u"\"a b\""},
      {u"a\"b", u"\"a\\\"b\""},
      {u"\\\\srv\\share", u"\"\\\\srv\\share\""},  // backslashes before no quote stay as they are
      {u"a\\", u"\"a\\\\\""},                      // doubled before the closing quote
      {u"a\\\"b", u"\"a\\\\\\\"b\""},              // doubled, and one more for the quote
  };
  for (const Case& c : cases) EXPECT_EQ(QuoteArgument(c.argument), c.quoted) << EncodeUtf8(c.argument);
}

}  // namespace
}  // namespace velloway
