// Every result code of a connection attempt with its exact status text and open flag.
#include <gtest/gtest.h>

#include "core/ConnectResult.h"

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
        ResultCase{67, u"フォルダ【\\\\srv\\share】はありません", false}, ResultCase{85, u"既に接続済みです", true},
        ResultCase{86, u"指定したパスワードが無効です", false},
        ResultCase{170, u"ルーターまたはプロバイダがビジー（ おそらく初期化中）です", false},
        ResultCase{1200, u"指定したドライブはありません", false},
        ResultCase{1202, u"既にユーザープロファイル内に存在します", false},
        ResultCase{1203, u"ネットワークが開始されていないか、指定した名前が利用できないために、操作を行えませんでした",
                   false},
        ResultCase{1204, u"プロバイダが一致しません", false},
        ResultCase{1205, u"恒久的な接続を処理するためのユーザープロファイルを開くことができません", false},
        ResultCase{1206, u"ユーザープロファイルの形式が正しくありません", false},
        ResultCase{1208, u"ネットワークエラーです。LANケーブルがささっていますか？", false},
        ResultCase{1219, u"既に接続済みです", false}, ResultCase{1222, u"ネットワークに接続されていません", false},
        ResultCase{1223, u"接続が取り消されました", false},
        // What a user really meets beyond the original table: what it is and what to do.
        ResultCase{53, u"サーバーが見つかりません。サーバー名と、ネットワークや VPN の接続を確認してください", false},
        ResultCase{51, u"サーバーが見つかりません。サーバー名と、ネットワークや VPN の接続を確認してください", false},
        ResultCase{64, u"共有との接続が途中で切れました（共有が削除されたか、サーバーが止まった可能性があります）",
                   false},
        ResultCase{121, u"サーバーが応答しません。サーバーの電源と、ネットワークや VPN の接続を確認してください",
                   false},
        ResultCase{1231, u"サーバーが応答しません。サーバーの電源と、ネットワークや VPN の接続を確認してください",
                   false},
        ResultCase{1232, u"サーバーが応答しません。サーバーの電源と、ネットワークや VPN の接続を確認してください",
                   false},
        ResultCase{1326, u"ID、パスワードが間違っていませんか？", false},
        ResultCase{1909, u"アカウントがロックされています。しばらく待つか、管理者に連絡してください", false},
        ResultCase{1330, u"パスワードの有効期限が切れています。パスワードを変更してから接続してください", false},
        ResultCase{1907, u"パスワードを変更する必要があります。パスワードを変更してから接続してください", false},
        ResultCase{1331, u"アカウントが無効になっています。管理者に連絡してください", false},
        ResultCase{1327, u"このアカウントは今この PC から使えません（制限または期限切れ）。管理者に連絡してください",
                   false},
        ResultCase{1793, u"このアカウントは今この PC から使えません（制限または期限切れ）。管理者に連絡してください",
                   false},
        ResultCase{
            1311,
            u"ログオンサーバー（ドメインコントローラー）に届きません。ネットワークや VPN の接続を確認してください",
            false},
        ResultCase{1272,
                   u"ID なし（ゲスト）の接続は Windows "
                   u"のセキュリティ設定で禁止されています。ユーザー名とパスワードを設定してください",
                   false},
        ResultCase{58,
                   u"サーバーと通信できる方式がありません（古い SMB1 だけの NAS や、署名の設定の違いが考えられます）。"
                   u"管理者に連絡してください",
                   false},
        // Anything else, neighbours of known codes included: the old question with the code for IT.
        ResultCase{1, u"ID、パスワードが間違っていませんか？（エラー 1）", false},
        ResultCase{1201, u"ID、パスワードが間違っていませんか？（エラー 1201）", false},
        ResultCase{2401, u"ID、パスワードが間違っていませんか？（エラー 2401）", false},
        ResultCase{0xFFFFFFFF, u"ID、パスワードが間違っていませんか？（エラー 4294967295）", false}));

}  // namespace
}  // namespace velloway
