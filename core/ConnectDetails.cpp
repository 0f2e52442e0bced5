// A failed connect's details as lines of text for IT.
#include "core/ConnectDetails.h"

#include "core/Text.h"

namespace velloway {
namespace {

Text Answer(const std::optional<bool>& answered) {
  if (!answered) return u"調べていません";
  return *answered ? u"応答あり" : u"応答なし";
}

}  // namespace

Text DetailsText(const ConnectDetails& details) {
  Text text = u"Velloway 接続エラーの詳細\r\n";
  text += u"日時: " + details.when + u"\r\n";
  text += u"ボタン: " + details.button + u"\r\n";
  text += u"フォルダ: " + details.folder + u"\r\n";
  text += u"ドライブ: " + (details.drive.empty() ? Text(u"なし") : details.drive + u":") + u"\r\n";
  text += u"ユーザー名: " + (details.user.empty() ? Text(u"なし（サインイン中のユーザー）") : details.user) + u"\r\n";
  text += u"エラー番号: " + NumberText(details.code) + u"\r\n";
  text += u"表示: " + details.status + u"\r\n";
  if (details.probes) {
    text += u"サーバー名の解決: " + Text(details.probes->nameResolves ? u"できた" : u"できなかった") + u"\r\n";
    text += u"ポート 445（SMB2/SMB3）: " + Answer(details.probes->port445) + u"\r\n";
    text += u"ポート 139（SMB1）: " + Answer(details.probes->port139) + u"\r\n";
  }
  text += details.versions;
  return text;
}

}  // namespace velloway
