// The administrator's shared buttons: what a shared file gives (passwords dropped, "auto", environment
// variables), the copy kept for when the file is out of reach, what changed since, and their place before the
// user's own rows.
#include <gtest/gtest.h>

#include <string>

#include "TestPlatform.h"
#include "core/ButtonRows.h"
#include "core/SharedButtons.h"

namespace velloway {
namespace {

Text Expand(const Text& text) {
  Text out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 10, u"%USERNAME%") == 0) {
      out += u"taro";
      i += 9;
    } else {
      out += text[i];
    }
  }
  return out;
}

SharedRead Parse(const std::string& bytes) {
  SharedRead read;
  ParseSharedButtons(bytes, testing::TestCodePage(), Expand, read);
  return read;
}

TEST(SharedButtons, AFileGivesItsRowsWithoutPasswordsWithAutoAndExpandedFolderAndId) {
  struct Case {
    const char* name;
    std::string bytes;
    SharedButtons expected;
    bool hadPasswords;
  };
  const Case cases[] = {
      {"four fields", "経理,Z,\\\\fs\\keiri,\r\n", {{{u"経理", u"Z", u"\\\\fs\\keiri", u"", u""}, false}}, false},
      {"a password is dropped and noted",
       "a,,\\\\fs\\a,user,0A1B2C\r\n",
       {{{u"a", u"", u"\\\\fs\\a", u"user", u""}, false}},
       true},
      {"auto in any case and spacing",
       "a,,\\\\fs\\a,,, Auto \r\nb,,\\\\fs\\b,,,never\r\n",
       {{{u"a", u"", u"\\\\fs\\a", u"", u""}, true}, {{u"b", u"", u"\\\\fs\\b", u"", u""}, false}},
       false},
      {"variables in Folder and ID, not in Name",
       "%USERNAME%,H,\\\\fs\\home\\%USERNAME%,dom\\%USERNAME%\r\n",
       {{{u"%USERNAME%", u"H", u"\\\\fs\\home\\taro", u"dom\\taro", u""}, false}},
       false},
      {"rows that make no button are skipped",
       "\r\n,,\\\\fs\\noname\r\nnofolder,Z,,\r\nok,,\\\\fs\\ok\r\n",
       {{{u"ok", u"", u"\\\\fs\\ok", u"", u""}, false}},
       false},
      {"quoted fields with commas",
       "\"a,b\",,\"\\\\fs\\x,y\"\r\n",
       {{{u"a,b", u"", u"\\\\fs\\x,y", u"", u""}, false}},
       false},
      {"UTF-8 with a mark",
       "\xEF\xBB\xBF\xE7\xB7\x8F\xE5\x8B\x99,,\\\\fs\\s\r\n",
       {{{u"総務", u"", u"\\\\fs\\s", u"", u""}, false}},
       false},
      {"damaged bytes give what they give, never more rows than lines", "\xFF\xFE\x00", {}, false},
  };
  for (const Case& c : cases) {
    const SharedRead read = Parse(c.bytes);
    EXPECT_EQ(read.buttons, c.expected) << c.name;
    EXPECT_EQ(read.hadPasswords, c.hadPasswords) << c.name;
  }
}

TEST(SharedButtons, TheCopyRoundTripsAndRefusesWhatIsNoCopy) {
  const SharedButtons buttons{{{u"経理,1", u"Z", u"\\\\fs\\keiri", u"taro", u""}, true},
                              {{u"\"総務\"", u"", u"\\\\fs\\soumu", u"", u""}, false}};
  const std::string bytes = FormatSharedCopy(u"2026-12-11 09:30", buttons);
  const auto copy = ParseSharedCopy(bytes);
  ASSERT_TRUE(copy.has_value());
  EXPECT_EQ(copy->taken, u"2026-12-11 09:30");
  EXPECT_EQ(copy->buttons, buttons);
  for (const std::string& bad : {std::string(), std::string("a,,\\\\fs\\a\r\n"), std::string("\xEF\xBB\xBF\xFF")}) {
    EXPECT_FALSE(ParseSharedCopy(bad).has_value()) << bad;
  }
}

TEST(SharedButtons, ChangedOrRemovedListsTheOldButtonsWhoseShareMovedOrWent) {
  const SharedButton a{{u"a", u"Z", u"\\\\fs\\a", u"", u""}, false};
  const SharedButton b{{u"b", u"", u"\\\\fs\\b", u"", u""}, false};
  SharedButton aElsewhere = a;
  aElsewhere.row.Folder = u"\\\\fs2\\a";
  SharedButton aOtherCase = a;
  aOtherCase.row.Folder = u"\\\\FS\\A";
  SharedButton bNowAuto = b;
  bNowAuto.autoConnect = true;
  EXPECT_EQ(ChangedOrRemoved({a, b}, {a, b}), SharedButtons{});
  EXPECT_EQ(ChangedOrRemoved({a, b}, {b}), SharedButtons{a});
  EXPECT_EQ(ChangedOrRemoved({a, b}, {aElsewhere, b}), SharedButtons{a});
  EXPECT_EQ(ChangedOrRemoved({a, b}, {aOtherCase, bNowAuto}), SharedButtons{});
  EXPECT_EQ(ChangedOrRemoved({}, {a}), SharedButtons{});
}

TEST(ButtonRows, SharedRowsComeFirstThenTheOwnOnes) {
  SettingsList own;
  own.Append(ButtonSetting{u"mine", u"", u"\\\\fs\\mine", u"", u"AB"});
  const SharedButtons shared{{{u"it", u"", u"\\\\fs\\it", u"", u""}, true}};
  const ButtonRows rows(own, &shared);
  ASSERT_EQ(rows.Count(), 2u);
  EXPECT_EQ(rows.Row(0).Name, u"it");
  EXPECT_TRUE(rows.IsShared(0));
  EXPECT_EQ(rows.Row(1).Name, u"mine");
  EXPECT_FALSE(rows.IsShared(1));
  EXPECT_EQ(rows.OwnIndex(1), 0u);
  const ButtonRows ownOnly(own);
  EXPECT_EQ(ownOnly.Count(), 1u);
  EXPECT_EQ(ownOnly.Row(0).Name, u"mine");
}

}  // namespace
}  // namespace velloway
