// The details a user hands to IT: every fact on its own line; the probe lines only when probes were made.
#include <gtest/gtest.h>

#include "core/ConnectDetails.h"

namespace velloway {
namespace {

TEST(DetailsText, OneFactPerLineAndTheProbesWhenMade) {
  ConnectDetails details{u"2026-12-11 09:05:03",
                         u"経理",
                         u"\\\\nas\\keiri",
                         u"Z",
                         u"taro",
                         53,
                         u"【\\\\nas】は応答しません。…",
                         ReachProbes{true, false, std::nullopt},
                         u"Velloway: 1.0.0\r\nWindows: 10.0.19045\r\n"};
  EXPECT_EQ(DetailsText(details),
            u"Velloway 接続エラーの詳細\r\n"
            u"日時: 2026-12-11 09:05:03\r\n"
            u"ボタン: 経理\r\n"
            u"フォルダ: \\\\nas\\keiri\r\n"
            u"ドライブ: Z:\r\n"
            u"ユーザー名: taro\r\n"
            u"エラー番号: 53\r\n"
            u"表示: 【\\\\nas】は応答しません。…\r\n"
            u"サーバー名の解決: できた\r\n"
            u"ポート 445（SMB2/SMB3）: 応答なし\r\n"
            u"ポート 139（SMB1）: 調べていません\r\n"
            u"Velloway: 1.0.0\r\nWindows: 10.0.19045\r\n");
  details.drive.clear();
  details.user.clear();
  details.probes.reset();
  const Text text = DetailsText(details);
  EXPECT_NE(text.find(u"ドライブ: なし\r\n"), Text::npos);
  EXPECT_NE(text.find(u"ユーザー名: なし（サインイン中のユーザー）\r\n"), Text::npos);
  EXPECT_EQ(text.find(u"ポート"), Text::npos);
}

}  // namespace
}  // namespace velloway
