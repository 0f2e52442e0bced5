// The difference between the editor's list and the file's, shown before one of them is set aside.
#include <gtest/gtest.h>

#include "core/SettingsDifference.h"

namespace velloway {
namespace {

SettingsList ListOf(std::initializer_list<ButtonSetting> rows) {
  SettingsList list;
  for (const ButtonSetting& row : rows) list.Append(row);
  return list;
}

const ButtonSetting kA{u"経理", u"Z", u"\\\\srv\\keiri", u"", u""};
const ButtonSetting kB{u"b", u"", u"\\\\srv\\b", u"me", u"00FF"};
const ButtonSetting kC{u"c", u"", u"\\\\srv\\c", u"", u""};
const ButtonSetting kBNewPass{u"b", u"", u"\\\\srv\\b", u"me", u"11EE"};
const ButtonSetting kBMoved{u"b", u"", u"\\\\srv2\\b", u"me", u"00FF"};

struct DiffCase {
  const char* what;
  SettingsList mine;
  SettingsList file;
  SettingsDifference expected;
};

TEST(SettingsDifferenceTest, PairsRowsByNameAndShowsNoPass) {
  const DiffCase cases[] = {
      {"equal", ListOf({kA, kB}), ListOf({kA, kB}), {}},
      {"only moved", ListOf({kA, kB}), ListOf({kB, kA}), {}},
      {"the file has one more", ListOf({kA}), ListOf({kA, kC}), {{{u"c", u"\\\\srv\\c"}}, {}, {}}},
      {"mine has one more", ListOf({kA, kC}), ListOf({kA}), {{}, {{u"c", u"\\\\srv\\c"}}, {}}},
      {"only the Pass differs", ListOf({kB}), ListOf({kBNewPass}), {{}, {}, {{u"b", u"\\\\srv\\b"}}}},
      {"Folder differs, mine shown", ListOf({kBMoved}), ListOf({kB}), {{}, {}, {{u"b", u"\\\\srv2\\b"}}}},
      {"a second row of one name", ListOf({kB, kB}), ListOf({kB}), {{}, {{u"b", u"\\\\srv\\b"}}, {}}},
      {"all three at once",
       ListOf({kA, kBMoved}),
       ListOf({kBNewPass, kC}),
       {{{u"c", u"\\\\srv\\c"}}, {{u"経理", u"\\\\srv\\keiri"}}, {{u"b", u"\\\\srv2\\b"}}}},
  };
  for (const DiffCase& test : cases) {
    SCOPED_TRACE(test.what);
    EXPECT_EQ(DiffSettings(test.mine, test.file), test.expected);
  }
}

TEST(SettingsDifferenceTest, QuestionNamesEachSideAndTheAnswers) {
  const Text question = ConflictQuestion(DiffSettings(ListOf({kA, kB}), ListOf({kBNewPass, kC})));
  EXPECT_NE(question.find(u"ファイルにだけあるボタン:\r\n　c（\\\\srv\\c）"), Text::npos);
  EXPECT_NE(question.find(u"この画面にだけあるボタン:\r\n　経理（\\\\srv\\keiri）"), Text::npos);
  EXPECT_NE(question.find(u"内容が異なるボタン:\r\n　b（\\\\srv\\b）"), Text::npos);
  EXPECT_NE(question.find(u"はい: この画面の内容で保存\r\nいいえ: ファイルの内容を使う\r\nキャンセル: 編集に戻る"),
            Text::npos);
  EXPECT_EQ(question.find(u"00FF"), Text::npos);
  EXPECT_EQ(question.find(u"11EE"), Text::npos);
}

}  // namespace
}  // namespace velloway
