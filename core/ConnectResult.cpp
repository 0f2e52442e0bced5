// The one table of connection result codes and their texts.
#include "ConnectResult.h"

#include <array>

namespace velloway {
namespace {

struct Row {
  std::uint32_t code;
  const char16_t* status;
  bool open;
};

// 66 and 67 name the folder and are built below.
constexpr std::array<Row, 15> kResults{{
    {0, u"認証完了", true},
    {5, u"ID又はパスワードが間違っています", false},
    {85, u"既に接続済みです", true},
    {86, u"指定したパスワードが無効です", false},
    {170, u"ルーターまたはプロバイダがビジー（ おそらく初期化中）です", false},
    {1200, u"指定したドライブはありません", false},
    {1202, u"既にユーザープロファイル内に存在します", false},
    {1203, u"ネットワークが開始されていないか、指定した名前が利用できないために、操作を行えませんでした", false},
    {1204, u"プロバイダが一致しません", false},
    {1205, u"恒久的な接続を処理するためのユーザープロファイルを開くことができません", false},
    {1206, u"ユーザープロファイルの形式が正しくありません", false},
    {1208, u"ネットワークエラーです。LANケーブルがささっていますか？", false},
    // The server holds a connection under another user name: opening would act as that user.
    {1219, u"既に接続済みです", false},
    {1222, u"ネットワークに接続されていません", false},
    {1223, u"接続が取り消されました", false},
}};

}  // namespace

ConnectOutcome ConnectResultText(std::uint32_t resultCode, const Text& remote) {
  if (resultCode == 66) return {u"フォルダ" + remote + u"はありません", false};
  if (resultCode == 67) return {u"フォルダ【" + remote + u"】はありません", false};
  for (const Row& row : kResults) {
    if (row.code == resultCode) return {row.status, row.open};
  }
  return {u"ID、パスワードが間違っていませんか？", false};
}

}  // namespace velloway
