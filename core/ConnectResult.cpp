// The one table of connection result codes and their texts.
#include "core/ConnectResult.h"

#include <array>

namespace velloway {
namespace {

struct Row {
  std::uint32_t code;
  const char16_t* status;
  bool open;
};

// 66 and 67 name the folder and are built below. The codes after 1223 are what a user really meets beyond the
// original table: each says what it is and what to do, instead of asking about the password.
constexpr char16_t kServerNotFound[] =
    u"サーバーが見つかりません。サーバー名と、ネットワークや VPN の接続を確認してください";
constexpr char16_t kNotReachable[] =
    u"サーバーが応答しません。サーバーの電源と、ネットワークや VPN の接続を確認してください";
constexpr char16_t kAccountLimited[] =
    u"このアカウントは今この PC から使えません（制限または期限切れ）。管理者に連絡してください";
constexpr char16_t kReplyNotUnderstood[] =
    u"サーバーと通信できる方式がありません（古い SMB1 だけの NAS や、署名の設定の違いが考えられます）。"
    u"管理者に連絡してください";

constexpr std::array kResults{
    // clang-format off
    Row{0, u"認証完了", true},
    Row{5, u"ID又はパスワードが間違っています", false},
    Row{85, u"既に接続済みです", true},
    Row{86, u"指定したパスワードが無効です", false},
    Row{170, u"ルーターまたはプロバイダがビジー（ おそらく初期化中）です", false},
    Row{1200, u"指定したドライブはありません", false},
    Row{1202, u"既にユーザープロファイル内に存在します", false},
    Row{1203, u"ネットワークが開始されていないか、指定した名前が利用できないために、操作を行えませんでした", false},
    Row{1204, u"プロバイダが一致しません", false},
    Row{1205, u"恒久的な接続を処理するためのユーザープロファイルを開くことができません", false},
    Row{1206, u"ユーザープロファイルの形式が正しくありません", false},
    Row{1208, u"ネットワークエラーです。LANケーブルがささっていますか？", false},
    // The server holds a connection under another user name: opening would act as that user.
    Row{1219, u"既に接続済みです", false},
    Row{1222, u"ネットワークに接続されていません", false},
    Row{1223, u"接続が取り消されました", false},
    Row{51, kServerNotFound, false},    // ERROR_REM_NOT_LIST
    Row{53, kServerNotFound, false},    // ERROR_BAD_NETPATH
    Row{64, u"共有との接続が途中で切れました（共有が削除されたか、サーバーが止まった可能性があります）", false},  // ERROR_NETNAME_DELETED
    Row{121, kNotReachable, false},   // ERROR_SEM_TIMEOUT
    Row{1225, kNotReachable, false},  // ERROR_CONNECTION_REFUSED
    Row{1231, kNotReachable, false},  // ERROR_NETWORK_UNREACHABLE
    Row{1232, kNotReachable, false},  // ERROR_HOST_UNREACHABLE
    Row{1234, kNotReachable, false},  // ERROR_PORT_UNREACHABLE
    Row{1236, kNotReachable, false},  // ERROR_CONNECTION_ABORTED
    Row{1460, kNotReachable, false},  // ERROR_TIMEOUT
    Row{1326, u"ID、パスワードが間違っていませんか？", false},  // ERROR_LOGON_FAILURE: the question is right here
    Row{1909, u"アカウントがロックされています。しばらく待つか、管理者に連絡してください", false},  // ERROR_ACCOUNT_LOCKED_OUT
    Row{1330, u"パスワードの有効期限が切れています。パスワードを変更してから接続してください", false},  // ERROR_PASSWORD_EXPIRED
    Row{1907, u"パスワードを変更する必要があります。パスワードを変更してから接続してください", false},  // ERROR_PASSWORD_MUST_CHANGE
    Row{1331, u"アカウントが無効になっています。管理者に連絡してください", false},  // ERROR_ACCOUNT_DISABLED
    Row{1327, kAccountLimited, false},  // ERROR_ACCOUNT_RESTRICTION
    Row{1328, kAccountLimited, false},  // ERROR_INVALID_LOGON_HOURS
    Row{1329, kAccountLimited, false},  // ERROR_INVALID_WORKSTATION
    Row{1793, kAccountLimited, false},  // ERROR_ACCOUNT_EXPIRED
    Row{1311, u"ログオンサーバー（ドメインコントローラー）に届きません。ネットワークや VPN の接続を確認してください", false},  // ERROR_NO_LOGON_SERVERS
    Row{1272, u"ID なし（ゲスト）の接続は Windows のセキュリティ設定で禁止されています。ユーザー名とパスワードを設定してください", false},  // ERROR_SMB_GUEST_LOGON_BLOCKED
    Row{50, kReplyNotUnderstood, false},  // ERROR_NOT_SUPPORTED
    Row{58, kReplyNotUnderstood, false},  // ERROR_BAD_NET_RESP
    Row{59, kReplyNotUnderstood, false},  // ERROR_UNEXP_NET_ERR
    // clang-format on
};

// A code listed twice would leave its later row unused.
constexpr bool EachCodeOnce() {
  for (size_t i = 0; i < kResults.size(); ++i) {
    for (size_t j = i + 1; j < kResults.size(); ++j) {
      if (kResults[i].code == kResults[j].code) return false;
    }
  }
  return true;
}
static_assert(EachCodeOnce());

}  // namespace

ConnectOutcome ConnectResultText(std::uint32_t resultCode, const Text& remote) {
  if (resultCode == 66) return {u"フォルダ" + remote + u"はありません", false};
  if (resultCode == 67) return {u"フォルダ【" + remote + u"】はありません", false};
  for (const Row& row : kResults) {
    if (row.code == resultCode) return {row.status, row.open};
  }
  // Unknown: the old question, with the code for IT to look up.
  return {u"ID、パスワードが間違っていませんか？（エラー " + NumberText(resultCode) + u"）", false};
}

}  // namespace velloway
