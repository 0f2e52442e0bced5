// Every result code of a connection attempt with its exact status text and open flag.
#include <gtest/gtest.h>

#include "ConnectResult.h"

namespace velloway {
namespace {

struct ResultCase {
  std::uint32_t code;
  Text status;
  bool open;
};

class ConnectResultTest : public ::testing::TestWithParam<ResultCase> {};

TEST_P(ConnectResultTest, GivesTheTextAndOpenFlag) {
  const ConnectOutcome outcome = ConnectResultText(GetParam().code, u"\\\\srv\\share");
  EXPECT_EQ(outcome.status, GetParam().status);
  EXPECT_EQ(outcome.open, GetParam().open);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ConnectResultTest,
    ::testing::Values(
        ResultCase{0, u"認証完了", true}, ResultCase{5, u"ID又はパスワードが間違っています", false},
        ResultCase{66, u"フォルダ\\\\srv\\shareはありません", false},
        ResultCase{67, u"フォルダ【\\\\srv\\share】はありません", false},
        ResultCase{85, u"既に接続済みです", true}, ResultCase{86, u"指定したパスワードが無効です", false},
        ResultCase{170, u"ルーターまたはプロバイダがビジー（ おそらく初期化中）です", false},
        ResultCase{1200, u"指定したドライブはありません", false},
        ResultCase{1202, u"既にユーザープロファイル内に存在します", false},
        ResultCase{1203,
                   u"ネットワークが開始されていないか、指定した名前が利用できないために、操作を行えませんでした",
                   false},
        ResultCase{1204, u"プロバイダが一致しません", false},
        ResultCase{1205, u"恒久的な接続を処理するためのユーザープロファイルを開くことができません", false},
        ResultCase{1206, u"ユーザープロファイルの形式が正しくありません", false},
        ResultCase{1208, u"ネットワークエラーです。LANケーブルがささっていますか？", false},
        ResultCase{1219, u"既に接続済みです", false}, ResultCase{1222, u"ネットワークに接続されていません", false},
        ResultCase{1223, u"接続が取り消されました", false},
        // Anything else, neighbours of known codes included.
        ResultCase{1, u"ID、パスワードが間違っていませんか？", false},
        ResultCase{1201, u"ID、パスワードが間違っていませんか？", false},
        ResultCase{2401, u"ID、パスワードが間違っていませんか？", false},
        ResultCase{0xFFFFFFFF, u"ID、パスワードが間違っていませんか？", false}));

}  // namespace
}  // namespace velloway
