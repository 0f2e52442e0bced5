// The settings file's bytes through the code page under test (the real CP932 under Wine).
#include <gtest/gtest.h>

#include "SettingsFormat.h"
#include "TestPlatform.h"
#include "TestPrinting.h"

namespace velloway {
namespace {

using testing::TestCodePage;

// 経理,Z,\\srv\keiri,,<pass> in CP932, exactly as a saved file holds it.
const std::string kKeiriLine = "\x8C\x6F\x97\x9D,Z,\\\\srv\\keiri,,0123456789ABCDEF0123456789ABCDEF\r\n";

const ButtonSetting kKeiri{u"経理", u"Z", u"\\\\srv\\keiri", u"", u"0123456789ABCDEF0123456789ABCDEF"};

SettingsList ListOf(std::vector<ButtonSetting> rows) {
  SettingsList list;
  for (ButtonSetting& row : rows) list.Append(std::move(row));
  return list;
}

TEST(SettingsFormat, Cp932LineLoadsAndSavesByteIdentically) {
  const std::vector<ButtonSetting> loaded = ParseSettings(kKeiriLine, TestCodePage());
  ASSERT_EQ(loaded, std::vector<ButtonSetting>{kKeiri});
  EXPECT_EQ(FormatSettings(ListOf(loaded), TestCodePage()), kKeiriLine);
}

TEST(SettingsFormat, SpecialCharactersRoundTripInFiveFields) {
  const ButtonSetting tricky{u"a\"b'c,d&e", u"D", u"\\\\srv\\x,y", u"dom\\o'neil", u""};
  const ButtonSetting literalToken{u"[&amp;]", u"", u"\\\\srv\\s", u"", u"AB"};
  const std::string bytes = FormatSettings(ListOf({tricky, literalToken}), TestCodePage());
  EXPECT_EQ(bytes,
            "a[&dblq;]b[&sinq;]c[&conm;]d[&amp;]e,D,\\\\srv\\x[&conm;]y,dom\\o[&sinq;]neil,\r\n"
            "[[&amp;]amp;],,\\\\srv\\s,,AB\r\n");
  EXPECT_EQ(ParseSettings(bytes, TestCodePage()), (std::vector<ButtonSetting>{tricky, literalToken}));
}

TEST(SettingsFormat, EmptyListIsZeroBytesAndLoadsEmpty) {
  EXPECT_EQ(FormatSettings(SettingsList{}, TestCodePage()), "");
  EXPECT_TRUE(ParseSettings("", TestCodePage()).empty());
}

// The same two settings in every encoding and line-break style that load accepts.
TEST(SettingsFormat, ByteOrderMarksAndLineBreaks) {
  const std::vector<ButtonSetting> expected{kKeiri, {u"営業", u"", u"\\\\srv\\eigyo", u"yamada", u""}};
  const std::string utf8Body =
      "\xE7\xB5\x8C\xE7\x90\x86,Z,\\\\srv\\keiri,,0123456789ABCDEF0123456789ABCDEF\n"
      "\xE5\x96\xB6\xE6\xA5\xAD,,\\\\srv\\eigyo,yamada,";
  auto utf16 = [](const std::u16string& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t c : text) {
      const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
      bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
  };
  const std::u16string text =
      u"経理,Z,\\\\srv\\keiri,,0123456789ABCDEF0123456789ABCDEF\r営業,,\\\\srv\\eigyo,yamada,\r\n";
  for (const std::string& bytes : {
           "\xEF\xBB\xBF" + utf8Body,
           utf16(text, false),
           utf16(text, true),
           std::string("\x8C\x6F\x97\x9D,Z,\\\\srv\\keiri,,0123456789ABCDEF0123456789ABCDEF\r\n"
                       "\x89\x63\x8B\xC6,,\\\\srv\\eigyo,yamada,\r"),
       }) {
    EXPECT_EQ(ParseSettings(bytes, TestCodePage()), expected);
  }
}

TEST(SettingsFormat, DriveIsTrimmedOtherFieldsKeepTheirSpaces) {
  const std::vector<ButtonSetting> loaded = ParseSettings(" keiri , \tZ \x01, \\\\srv\\k , me ,AB\r\n", TestCodePage());
  ASSERT_EQ(loaded.size(), 1u);
  EXPECT_EQ(loaded[0], (ButtonSetting{u" keiri ", u"Z", u" \\\\srv\\k ", u" me ", u"AB"}));
}

TEST(SettingsFormat, SixthFieldIsDroppedAtTheNextSave) {
  const std::string handEdited = "n,Z,\\\\srv\\s,id,AB,extra,more\r\n";
  EXPECT_EQ(FormatSettings(ListOf(ParseSettings(handEdited, TestCodePage())), TestCodePage()), "n,Z,\\\\srv\\s,id,AB\r\n");
}

// A blank or short line must not stop the load: every line after it would be lost at the next save.
TEST(SettingsFormat, BlankLinesAreSkippedAndShortLinesKeptWithEmptyFields) {
  const std::string bytes = "a,Z,\\\\s\\a,,AB\r\n\r\nshort,D\r\n\r\nc,,\\\\s\\c,,CD\r\n";
  const std::vector<ButtonSetting> loaded = ParseSettings(bytes, TestCodePage());
  EXPECT_EQ(loaded, (std::vector<ButtonSetting>{{u"a", u"Z", u"\\\\s\\a", u"", u"AB"},
                                                {u"short", u"D", u"", u"", u""},
                                                {u"c", u"", u"\\\\s\\c", u"", u"CD"}}));
  EXPECT_EQ(FormatSettings(ListOf(loaded), TestCodePage()), "a,Z,\\\\s\\a,,AB\r\nshort,D,,,\r\nc,,\\\\s\\c,,CD\r\n");
}

// A character the code page lacks would be saved as '?': such a file is written as UTF-8 instead.
TEST(SettingsFormat, UnrepresentableTextIsSavedAsUtf8WithMark) {
  const ButtonSetting korean{u"한국", u"", u"\\\\srv\\데이터", u"ユーザー", u""};
  const std::string bytes = FormatSettings(ListOf({kKeiri, korean}), TestCodePage());
  EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(bytes.substr(3, 6), "\xE7\xB5\x8C\xE7\x90\x86");
  EXPECT_EQ(ParseSettings(bytes, TestCodePage()), (std::vector<ButtonSetting>{kKeiri, korean}));
}

}  // namespace
}  // namespace velloway
