// The status texts of closing a connection, failures included.
#include <gtest/gtest.h>

#include "core/DisconnectResult.h"

namespace velloway {
namespace {

TEST(DisconnectResultText, SuccessAndEveryFailureHaveAText) {
  const std::pair<std::uint32_t, Text> cases[] = {
      {0, u"切断完了"},
      {1205, u"恒久的な接続を処理するためのユーザープロファイルを開くことができません"},
      {1206, u"プロファイルが正しくありません"},
      {1208, u"ネットワーク固有のエラーが発生しました"},
      {2250, u"指定したデバイスにシステムが接続していません"},
      {2404, u"デバイスが使用中のため切断できません"},
      {1222, u"切断できませんでした（エラー 1222）"},
  };
  for (const auto& [code, text] : cases) EXPECT_EQ(DisconnectResultText(code), text) << code;
}

}  // namespace
}  // namespace velloway
