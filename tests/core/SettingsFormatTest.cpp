// The settings file's bytes through the code page under test (the real CP932 under Wine).
#include <gtest/gtest.h>

#include "TestPlatform.h"
#include "TestPrinting.h"
#include "core/RuntimeError.h"
#include "core/SettingsFormat.h"

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
  EXPECT_EQ(FormatSettings(ListOf(ParseSettings(handEdited, TestCodePage())), TestCodePage()),
            "n,Z,\\\\srv\\s,id,AB\r\n");
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

// What current Notepad writes: UTF-8 without a mark. It is read as UTF-8, and saved back in the ANSI code
// page, so that no name is garbled and no path lands in the wrong field.
TEST(SettingsFormat, Utf8WithoutMarkIsReadAsUtf8) {
  const std::string notepad =
      "\xE7\xB5\x8C\xE7\x90\x86,Z,\\\\srv\\keiri,,\r\n"
      "\xE5\x96\xB6\xE6\xA5\xAD \xE5\x85\xB1\xE6\x9C\x89,,\\\\192.168.0.10\\eigyo,yamada,\r\n"
      "\xE8\xA8\xAD\xE8\xA8\x88,P,\\\\nas01\\design,,\r\n";
  const std::vector<ButtonSetting> expected{{u"経理", u"Z", u"\\\\srv\\keiri", u"", u""},
                                            {u"営業 共有", u"", u"\\\\192.168.0.10\\eigyo", u"yamada", u""},
                                            {u"設計", u"P", u"\\\\nas01\\design", u"", u""}};
  EXPECT_EQ(DetectSettingsEncoding(notepad), SettingsEncoding::Utf8);
  EXPECT_EQ(ParseSettings(notepad, TestCodePage()), expected);
  EXPECT_EQ(FormatSettings(ListOf(expected), TestCodePage()),
            "\x8C\x6F\x97\x9D,Z,\\\\srv\\keiri,,\r\n"
            "\x89\x63\x8B\xC6 \x8B\xA4\x97\x4C,,\\\\192.168.0.10\\eigyo,yamada,\r\n"
            "\x90\xDD\x8C\x76,P,\\\\nas01\\design,,\r\n");
}

// A damaged character (a lead byte with no trail byte) right before a separator must not swallow it:
// every line stays a setting and every field stays in its place.
TEST(SettingsFormat, DamagedCharactersNeverMoveSeparators) {
  const std::string bytes =
      "a\x8C,Z,\\\\s\\a,,\r\n"
      "b,\x97,\\\\s\\b,,\r\n"
      "c,,\\\\s\\c\x8C\r\n"
      "\x8C\"q\",,\\\\s\\d,,\r\n"
      "e,,\\\\s\\e,id\x81,\r\n"
      "f,,\\\\s\\f,,\x8C\r\n";
  const std::vector<ButtonSetting> loaded = ParseSettings(bytes, TestCodePage());
  ASSERT_EQ(loaded.size(), 6u);
  const char16_t* folders[] = {u"\\\\s\\a", u"\\\\s\\b", nullptr, u"\\\\s\\d", u"\\\\s\\e", u"\\\\s\\f"};
  for (size_t i = 0; i < loaded.size(); ++i) {
    if (folders[i] != nullptr) {
      EXPECT_EQ(loaded[i].Folder, folders[i]) << i;
    }
  }
  EXPECT_TRUE(loaded[2].Folder.starts_with(u"\\\\s\\c"));
  EXPECT_EQ(loaded[0].Drive, u"Z");
  EXPECT_EQ(ParseSettings(FormatSettings(ListOf(loaded), TestCodePage()), TestCodePage()), loaded);
}

// A code page in which every character below U+0100 is the byte of its number: it can spell any mark.
class Latin1CodePage final : public AnsiCodePage {
 public:
  std::string FromText(TextView text) const override {
    std::string bytes;
    for (char16_t c : text) bytes.push_back(c < 0x100 ? static_cast<char>(c) : '?');
    return bytes;
  }
  Text ToText(std::string_view bytes) const override {
    Text text;
    for (char c : bytes) text.push_back(static_cast<unsigned char>(c));
    return text;
  }
  bool CanRepresent(TextView text) const override {
    for (char16_t c : text) {
      if (c >= 0x100) return false;
    }
    return true;
  }
};

// ANSI bytes that would read back as another encoding (a mark, or well-formed UTF-8) are saved as UTF-8
// with its mark instead; plain ANSI stays ANSI.
TEST(SettingsFormat, SaveNeverLooksLikeAnotherEncoding) {
  const Latin1CodePage latin1;
  struct Case {
    Text name;
    bool asUtf8;
  };
  for (const Case& c :
       {Case{u"\u00FF\u00FEname", true}, Case{u"\u00FE\u00FFname", true}, Case{u"\u00EF\u00BB\u00BFname", true},
        Case{u"\u00C3\u00A9t\u00C3\u00A9", true}, Case{u"caf\u00E9", false}, Case{u"plain", false}}) {
    const std::vector<ButtonSetting> settings{{c.name, u"", u"\\\\s\\x", u"", u""}, {u"b", u"", u"\\\\s\\b", u"", u""}};
    const std::string bytes = FormatSettings(ListOf(settings), latin1);
    EXPECT_EQ(bytes.starts_with("\xEF\xBB\xBF"), c.asUtf8) << EncodeUtf8(c.name);
    EXPECT_EQ(ParseSettings(bytes, latin1), settings) << EncodeUtf8(c.name);
  }
  // In code page 932 half-width katakana can form well-formed UTF-8 (C3 BD is "ý").
  const std::vector<ButtonSetting> katakana{{u"ﾃｽ", u"", u"\\\\s\\t", u"", u""}};
  const std::string bytes = FormatSettings(ListOf(katakana), TestCodePage());
  EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBF"));
  EXPECT_EQ(ParseSettings(bytes, TestCodePage()), katakana);
}

// Pass is escaped like the other fields, so a hand-edited value with a comma or a leading quote stays
// the same from one save to the next; stored hex digits are untouched.
TEST(SettingsFormat, PassIsEscapedLikeTheOtherFields) {
  const std::string handEdited = "n,,\\\\s\\n,,\"a,b\"\r\nm,,\\\\s\\m,,00FF\r\n";
  const std::vector<ButtonSetting> loaded = ParseSettings(handEdited, TestCodePage());
  ASSERT_EQ(loaded.size(), 2u);
  EXPECT_EQ(loaded[0].Pass, u"a,b");
  const std::string saved = FormatSettings(ListOf(loaded), TestCodePage());
  EXPECT_EQ(saved, "n,,\\\\s\\n,,a[&conm;]b\r\nm,,\\\\s\\m,,00FF\r\n");
  EXPECT_EQ(ParseSettings(saved, TestCodePage()), loaded);
  EXPECT_EQ(FormatSettings(ListOf(ParseSettings(saved, TestCodePage())), TestCodePage()), saved);
}

// No field may split its line: the save refuses, naming the setting, and writes nothing.
TEST(SettingsFormat, ALineBreakInAnyFieldIsRefused) {
  const ButtonSetting clean{u"n", u"Z", u"\\\\srv\\s", u"id", u"00"};
  for (int field = 0; field < 5; ++field) {
    for (const Text& brk : {Text(u"\r"), Text(u"\n")}) {
      ButtonSetting setting = clean;
      Text* fields[] = {&setting.Name, &setting.Drive, &setting.Folder, &setting.ID, &setting.Pass};
      *fields[field] += brk + u"x";
      SettingsList list;
      list.Append(clean);
      list.Append(setting);
      try {
        FormatSettings(list, TestCodePage());
        ADD_FAILURE() << "field " << field << " was written";
      } catch (const RuntimeError& error) {
        EXPECT_NE(error.Message().find(u"【" + ShowControlCharacters(setting.Name) + u"】"), Text::npos);
      }
    }
  }
  // Other control characters, as a hand-edited file may hold them, keep their place and their bytes.
  SettingsList list;
  list.Append(ButtonSetting{u"tab\there", u"", u"\\\\srv\\s", u"", u""});
  EXPECT_EQ(FormatSettings(list, TestCodePage()), "tab\there,,\\\\srv\\s,,\r\n");
}

}  // namespace
}  // namespace velloway
